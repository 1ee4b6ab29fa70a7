#include "new_password.h"

#include "credential_record.h"
#include "password_texts.h"
#include "shell/runtime/file.h"
#include "shell/runtime/text.h"

namespace kov {

std::optional<PasswordRefusal> newPasswordRefusal(std::string_view newPassword,
                                                  std::string_view checkPassword) {
  const std::string_view password = trimSpaces(newPassword);
  const std::string_view check = trimSpaces(checkPassword);
  if (password.empty()) return PasswordRefusal{1, texts::kNewPasswordMissing};
  if (newPassword.find(' ') != std::string_view::npos) {
    return PasswordRefusal{1, texts::kSpaceInPassword};
  }
  if (check.empty()) return PasswordRefusal{2, texts::kCheckPasswordMissing};
  if (password.size() < kMinPasswordLength) return PasswordRefusal{1, texts::kPasswordTooShort};
  if (password != check) return PasswordRefusal{1, texts::kPasswordsDiffer};
  return std::nullopt;
}

void storeNewPassword(Platform& platform, Kov_Par& par, std::int16_t& mode,
                      std::string_view password) {
  const std::string folder = platform.programFolder();
  const std::int16_t role = par.Tipo_Utente;
  bool stored = false;
  if (role == 0) {
    par.File_Record = dataFileName(folder, kAdministratorFile);
    const std::string& pending = par.Parametri_Postazione;
    // Parameters and password are saved together or, from the first record that fails, not
    // at all.
    stored =
        (pending.empty() || (storeFieldText(platform, par, mode, 1, fieldOf(pending, 1, 21)) &&
                             storeFieldText(platform, par, mode, 2, fieldOf(pending, 22, 20)) &&
                             storeFieldText(platform, par, mode, 3, fieldOf(pending, 42)))) &&
        storeFieldText(platform, par, mode, 4, userFieldText(par.Utenti[0], password));
  } else if (role == 1) {
    par.File_Record = dataFileName(folder, kControllerFile);
    stored = storeFieldText(platform, par, mode, 1, userFieldText(par.Utenti[1], password));
  }
  if (stored) par.Pw_Utenti[static_cast<std::size_t>(role)] = password;
}

}  // namespace kov
