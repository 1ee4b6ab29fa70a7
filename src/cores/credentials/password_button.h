// What the password button of the main window checks and stores: the first set-up of a
// role, and the hand-over of a password change to the password dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "credential_record.h"

namespace kov {

// The boxes of the main window that a refusal sends the focus back to.
enum class Entry { User, Password, Workstation, ReportName, ReportPath };

struct EntryRefusal {
  std::string_view message;
  Entry field;
};

// What the main window shows when the button is clicked.
struct UserEntries {
  std::string user;
  std::string password;
  WorkstationParameters parameters;
};

// The first check of a first set-up that refuses the entries. `settingUp` is
// Utente_da_Attivare; the workstation parameters are the administrator's alone and are
// taken as they stand, so a name of spaces passes.
std::optional<EntryRefusal> setUpRefusal(std::int16_t settingUp, const UserEntries& entries);

// Stores the role being set up: the administrator's four records in their order, after the
// offer to create a report folder that does not exist, or the data controller's one. True
// when every record reached the disk.
bool storeSetUp(Platform& platform, Kov_Par& par, const UserEntries& entries);

// The first check that refuses a password change asked for by the user of `role`
// (Tipo_Utente).
std::optional<EntryRefusal> changeRefusal(std::int16_t role, std::string_view user,
                                          std::string_view password);

// Parameters handed to the password dialog are refused without a workstation name: the
// dialog trims record 1, and without a name the restricted-access digit would be read back
// as the name.
std::optional<EntryRefusal> parametersRefusal(const WorkstationParameters& parameters);

// The text of Parametri_Postazione: the name padded to 20 and the restricted-access digit
// (record 1), the report file name padded to 20 (record 2), the report path (record 3).
std::string pendingParameters(const WorkstationParameters& parameters);

}  // namespace kov
