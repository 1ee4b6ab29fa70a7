// The one crossing between the windows' QString and the Windows-1252 texts of the cores.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "runtime/error.h"

namespace kov {

QString fromCp1252(std::string_view text);
// Characters that Windows-1252 cannot hold become "?"; the boxes refuse them at input.
std::string toCp1252(const QString& text);
// True when every character can be stored: held by Windows-1252, not a control character
// (below 32, DEL, or one of the C1 controls that Windows-1252 passes through), and not one of
// the codes 254 and 255 that the shift cannot raise.
bool isStorable(const QString& text);

// An error as messages state it: "<number>-<description>".
QString reasonOf(const Error& error);

}  // namespace kov
