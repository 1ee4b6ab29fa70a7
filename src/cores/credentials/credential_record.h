// The credential records: field texts, and how a stored line becomes a field text again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cores/shared/kov_par.h"

namespace kov {

inline constexpr std::size_t kFieldWidth = 20;

// The four parameters of a workstation, stored in records 1 to 3 of the administrator file.
struct WorkstationParameters {
  std::string name;
  bool restricted = false;
  std::string reportName;
  std::string reportPath;
};

// The field text of a user record: the name padded to 20, then the password padded to 20.
std::string userFieldText(std::string_view name, std::string_view password);
// The field text of record 1 of the administrator file: the workstation name padded to 20
// and the restricted-access digit.
std::string workstationFieldText(std::string_view workstation, bool restricted);

// The field text of a stored line: characters 1 to 253, spaces removed at both ends,
// unscrambled.
std::string unscrambleLine(Platform& platform, std::string_view line);

// Characters `from` to from + length - 1 of a field text, spaces removed at both ends.
std::string fieldOf(std::string_view text, std::size_t from,
                    std::size_t length = std::string_view::npos);

// Stores a field text as record `rec` of the credential file `file`, the way every writer
// does: File_Record names the file, the text is scrambled into Riga_Record and made a
// record, `mode` is set to 1, and Rw_Record writes it. A field text that cannot be scrambled
// is not written, so no stored record is ever replaced by an empty one. True when the record
// is stored.
bool storeFieldText(Platform& platform, Kov_Par& par, std::int16_t& mode, std::string_view file,
                    std::int16_t rec, std::string_view fieldText);

}  // namespace kov
