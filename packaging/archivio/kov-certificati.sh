#!/usr/bin/env bash
# Prepara i certificati dell'archivio di KoV con certtool (gnutls-bin): un'autorità
# dell'ufficio, la macchina centrale e ogni postazione, ciascuna con il proprio certificato e
# la propria porta. Scrive nella cartella di uscita:
#   ca.pem, ca-chiave.pem                       l'autorità (la chiave resta fuori dalle macchine)
#   centrale/  ca.pem centrale.pem centrale-chiave.pem postazioni.conf kov-centrale.conf
#   <postazione>/  ca.pem postazione.pem postazione-chiave.pem kov-postazione.conf
#                  kov-giornale.conf kov-socket.conf
# con i segnaposto delle configurazioni già sostituiti.
#
# Uso: kov-certificati.sh <cartella di uscita> <nome della centrale> <prima porta> <postazione>...
#   es. kov-certificati.sh certificati archivio.ufficio.lan 2514 pc-segreteria pc-direzione
# Variabili facoltative: KOV_CERTIFICATI (dove andranno i file sulle macchine, di norma
# /etc/kov-archivio), KOV_ARCHIVIO (/var/log/kov-archivio), KOV_CODA (/var/spool/rsyslog).
set -euo pipefail

if [ $# -lt 4 ]; then
  sed -n '12,13p' "$0" | sed 's/^# //' >&2
  exit 2
fi
out=$1 central=$2 port=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
certificates=${KOV_CERTIFICATI:-/etc/kov-archivio}
archive=${KOV_ARCHIVIO:-/var/log/kov-archivio}
queue=${KOV_CODA:-/var/spool/rsyslog}
days=3650

command -v certtool >/dev/null || { echo "Manca certtool: installare gnutls-bin." >&2; exit 1; }
for name in "$central" "$@"; do
  [[ "$name" =~ ^[A-Za-z0-9][A-Za-z0-9.-]*$ ]] ||
    { echo "Nome non valido per un certificato: $name" >&2; exit 2; }
done
mkdir -p "$out"
umask 077

# One key and one certificate signed by the office's authority; the name is both the
# common name and the DNS name that the other side checks.
make() {
  local folder=$1 file=$2 name=$3
  mkdir -p "$out/$folder"
  certtool --generate-privkey --key-type=ecdsa --outfile "$out/$folder/$file-chiave.pem" 2>/dev/null
  printf 'cn = "%s"\ndns_name = "%s"\nexpiration_days = %s\nsigning_key\nencryption_key\ntls_www_server\ntls_www_client\n' \
    "$name" "$name" "$days" >"$out/$folder/modello.txt"
  certtool --generate-certificate --load-privkey "$out/$folder/$file-chiave.pem" \
    --load-ca-certificate "$out/ca.pem" --load-ca-privkey "$out/ca-chiave.pem" \
    --template "$out/$folder/modello.txt" --outfile "$out/$folder/$file.pem" 2>/dev/null
  rm "$out/$folder/modello.txt"
  cp "$out/ca.pem" "$out/$folder/ca.pem"
}

# Fills the placeholders of a shipped configuration.
fill() {
  sed -e "s|@CENTRALE@|$central|g" -e "s|@CERTIFICATI@|$certificates|g" \
    -e "s|@ARCHIVIO@|$archive|g" -e "s|@CODA@|$queue|g" -e "s|@PORTA@|$2|g" "$here/$1"
}

if [ ! -f "$out/ca.pem" ]; then
  certtool --generate-privkey --key-type=ecdsa --outfile "$out/ca-chiave.pem" 2>/dev/null
  printf 'cn = "Archivio KoV"\nca\ncert_signing_key\nexpiration_days = %s\n' "$days" >"$out/ca-modello.txt"
  certtool --generate-self-signed --load-privkey "$out/ca-chiave.pem" \
    --template "$out/ca-modello.txt" --outfile "$out/ca.pem" 2>/dev/null
  rm "$out/ca-modello.txt"
fi
make centrale centrale "$central"
fill kov-centrale.conf "" >"$out/centrale/kov-centrale.conf"
: >"$out/centrale/postazioni.conf"
for name in "$@"; do
  make "$name" postazione "$name"
  for conf in kov-postazione.conf kov-giornale.conf kov-socket.conf; do
    fill "$conf" "$port" >"$out/$name/$conf"
  done
  cat >>"$out/centrale/postazioni.conf" <<CONF
input(type="imrelp" name="$name" port="$port" ruleset="kov_centrale" tls="on"
      tls.authMode="name" tls.permittedPeer=["$name"] tls.caCert="$certificates/ca.pem"
      tls.myCert="$certificates/centrale.pem" tls.myPrivKey="$certificates/centrale-chiave.pem")
CONF
  port=$((port + 1))
done
echo "Certificati e configurazioni in $out: copiare centrale/ e ogni cartella di postazione in $certificates sulla macchina corrispondente."
