// The names the operating system gives: the signed-in user and the computer, in
// Windows-1252 and whole (no length limit here).
#pragma once

#include <string>

namespace kov {

std::string osUserName();
std::string osComputerName();

}  // namespace kov
