#include "new_password.h"

#include "credential_record.h"
#include "report_folder.h"
#include "runtime/file.h"
#include "runtime/text.h"
#include "texts.h"

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

bool storeNewPassword(Platform& platform, Kov_Par& par, std::int16_t& mode,
                      std::string_view password) {
  const std::string folder = platform.programFolder();
  const std::int16_t role = par.Tipo_Utente;
  bool stored = false;
  if (role == 0) {
    const std::string file = dataFileName(folder, kAdministratorFile);
    const auto store = [&](std::int16_t rec, std::string_view text) {
      return storeFieldText(platform, par, mode, file, rec, text);
    };
    const std::string& pending = par.Parametri_Postazione;
    if (!pending.empty()) offerReportFolder(platform, fieldOf(pending, 42));
    // Parameters and password are saved together or, from the first record that fails, not
    // at all.
    stored = (pending.empty() ||
              (store(1, fieldOf(pending, 1, 21)) && store(2, fieldOf(pending, 22, 20)) &&
               store(3, fieldOf(pending, 42)))) &&
             store(4, userFieldText(par.Utenti[0], password));
  } else if (role == 1) {
    stored = storeFieldText(platform, par, mode, dataFileName(folder, kControllerFile), 1,
                            userFieldText(par.Utenti[1], password));
  }
  if (stored) par.Pw_Utenti[static_cast<std::size_t>(role)] = password;
  return stored;
}

}  // namespace kov
