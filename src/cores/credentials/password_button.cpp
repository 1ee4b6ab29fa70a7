#include "password_button.h"

#include "credential_record.h"
#include "new_password.h"
#include "report_folder.h"
#include "runtime/file.h"
#include "runtime/text.h"
#include "texts.h"

namespace kov {

std::optional<EntryRefusal> setUpRefusal(std::int16_t settingUp, const UserEntries& entries) {
  const std::string_view password = trimSpaces(entries.password);
  if (trimSpaces(entries.user).empty()) return EntryRefusal{texts::kUserMissing, Entry::User};
  if (password.empty()) return EntryRefusal{texts::kPasswordMissing, Entry::Password};
  if (entries.password.find(' ') != std::string::npos) {
    return EntryRefusal{texts::kSpaceInPassword, Entry::Password};
  }
  if (password.size() < kMinPasswordLength) {
    return EntryRefusal{texts::kPasswordTooShort, Entry::Password};
  }
  if (settingUp != 1) return std::nullopt;
  const WorkstationParameters& parameters = entries.parameters;
  if (parameters.name.empty()) return EntryRefusal{texts::kWorkstationMissing, Entry::Workstation};
  if (parameters.reportName.empty()) {
    return EntryRefusal{texts::kReportNameMissing, Entry::ReportName};
  }
  if (parameters.reportPath.empty()) {
    return EntryRefusal{texts::kReportPathMissing, Entry::ReportPath};
  }
  return std::nullopt;
}

bool storeSetUp(Platform& platform, Kov_Par& par, const UserEntries& entries) {
  const std::string folder = platform.programFolder();
  const WorkstationParameters& parameters = entries.parameters;
  const std::string user = userFieldText(entries.user, entries.password);
  if (par.Utente_da_Attivare == 1) {
    offerReportFolder(platform, parameters.reportPath);
    const std::string file = dataFileName(folder, kAdministratorFile);
    const auto store = [&](std::int16_t rec, std::string_view text) {
      return storeFieldText(platform, par, par.Modo_Record, file, rec, text);
    };
    // The records go in order and stop at one that did not reach the disk: a record written
    // after the hole of a missing one would be read back as that one, the credentials as
    // the report path.
    return store(1, workstationFieldText(parameters.name, parameters.restricted)) &&
           store(2, parameters.reportName) && store(3, parameters.reportPath) && store(4, user);
  }
  return par.Utente_da_Attivare == 2 &&
         storeFieldText(platform, par, par.Modo_Record, dataFileName(folder, kControllerFile), 1,
                        user);
}

std::optional<EntryRefusal> changeRefusal(std::int16_t role, std::string_view user,
                                          std::string_view password) {
  if (trimSpaces(user).empty()) {
    return EntryRefusal{
        role == 0 ? texts::kAdministratorUserMissing : texts::kControllerUserMissing, Entry::User};
  }
  if (trimSpaces(password).empty()) return EntryRefusal{texts::kPasswordMissing, Entry::Password};
  return std::nullopt;
}

std::optional<EntryRefusal> parametersRefusal(const WorkstationParameters& parameters) {
  if (trimSpaces(parameters.name).empty()) {
    return EntryRefusal{texts::kWorkstationMissing, Entry::Workstation};
  }
  return std::nullopt;
}

std::string pendingParameters(const WorkstationParameters& parameters) {
  return workstationFieldText(parameters.name, parameters.restricted) +
         padCut(parameters.reportName, kFieldWidth) + parameters.reportPath;
}

}  // namespace kov
