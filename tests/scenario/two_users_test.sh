#!/usr/bin/env bash
# An office where the administrator and the data controller are two operating-system users of
# one group, set up as LEGGIMI.txt says: the program folder and the report folder belong to the
# group and are setgid (2770), nothing else. Under umask 022 the administrator sets himself
# up, the data controller sets himself up, the administrator writes an entry, the data
# controller reports with removal and the administrator writes again: no step meets an error,
# and every file is the group's, readable and writable by owner and group alone, and hidden.
# The steps are the real window driven by the end-to-end test program, installed as the
# program file and told the step by KOV_OFFICE_STEP.
set -euo pipefail
steps=$1 suppressions=$2
[ "$(id -u)" -eq 0 ] || { echo "skipped: making operating-system users needs root"; exit 77; }

tag=$$
group=kovufficio$tag administrator=kovadmin$tag controller=kovtitolare$tag
folder=
cleanup() {
  userdel -r "$administrator" 2>/dev/null || true
  userdel -r "$controller" 2>/dev/null || true
  groupdel "$group" 2>/dev/null || true
  [ -n "$folder" ] && rm -rf "$folder"
}
trap cleanup EXIT
fail() { echo "$*"; ls -la "$folder" "$folder/report"; exit 1; }

groupadd "$group"
useradd -m -N -g "$group" -s /usr/sbin/nologin "$administrator"
useradd -m -N -g "$group" -s /usr/sbin/nologin "$controller"
folder=$(mktemp -d)
install -m 0755 "$steps" "$folder/kov"
mkdir "$folder/report"
chgrp "$group" "$folder" "$folder/report"
chmod 2770 "$folder" "$folder/report"

step() {
  local user=$1 name=$2
  echo "== $name, as $user"
  (umask 022 && setpriv --reuid="$user" --regid="$group" --init-groups \
    env -i PATH=/usr/bin:/bin HOME="/home/$user" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$suppressions" KOV_OFFICE_STEP="$name" \
    "$folder/kov" --gtest_filter="EndToEnd.*" --gtest_brief=1) >"$folder.out" 2>&1 || {
    cat "$folder.out"
    rm -f "$folder.out"
    fail "$name failed as $user"
  }
  rm -f "$folder.out"
}
step "$administrator" AdministratorSetUp
step "$controller" ControllerSetUp
step "$administrator" Entry
step "$controller" ReportWithRemoval
step "$administrator" Entry

# Each file: its owner, the group, mode 0660 and, for the data files, hidden.
expect() {
  local file=$1 owner=$2 hidden=$3
  [ -f "$file" ] || fail "missing: $file"
  [ "$(stat -c '%U %G %a' "$file")" = "$owner $group 660" ] ||
    fail "$file is $(stat -c '%U %G %a' "$file"), not $owner $group 660"
  if [ "$hidden" = hidden ] && command -v getfattr >/dev/null; then
    [ "$(getfattr --only-values -n user.DOSATTRIB "$file" 2>/dev/null)" = 0x2 ] ||
      fail "$file is not hidden"
  fi
}
# Start-up creates the recordings file as Odv, the removal as OdV: one file either way.
names=$(cd "$folder" && echo *)
[[ "$names" =~ ^KoV\ KoV\.catena\ (Odv|OdV)\ TdT\ kov\ report$ ]] ||
  fail "unexpected files in the program folder: $names"
recordings=$folder/${BASH_REMATCH[1]}
expect "$folder/KoV" "$administrator" hidden
expect "$folder/TdT" "$controller" hidden
expect "$recordings" "$controller" hidden
[ "$(stat -c %s "$recordings")" = 512 ] || fail "the recordings file does not hold the two entries"
reports=("$folder"/report/*_Report.txt)
[ ${#reports[@]} = 1 ] || fail "not one report: ${reports[*]}"
expect "${reports[0]}" "$controller" visible
echo "two users shared the program folder without an error"
