// The name of a report file.
#pragma once

#include <string>
#include <string_view>

namespace kov {

// End key + "_" + hours and minutes of `time` ("HH:mm:ss") + "_" + base name, so
// 20261231_0905_Log.txt for a period ending on 31/12/2026 and a run at 09:05.
std::string reportFileName(std::string_view endKey, std::string_view time,
                           std::string_view baseName);

// False for a name that Windows cannot keep: a character it refuses in names (< > : " / | ?
// * and the control characters), a name ending in a dot or a space, or a device name (CON,
// PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, with or without an extension). A "\" separates
// folders, and each name between separators obeys the rule. Such a report could not be read
// by the Windows clients of a shared folder, and on Windows ":" would even write it into a
// hidden stream of another file. The rule holds on every system.
bool isPortableFileName(std::string_view name);

}  // namespace kov
