#include <windows.h>

#include "osnames.h"

namespace kov {

std::string osUserName() {
  char name[257] = {};  // UNLEN + 1
  DWORD size = sizeof name;
  if (!::GetUserNameA(name, &size)) return {};
  return name;
}

std::string osComputerName() {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof name;
  if (!::GetComputerNameA(name, &size)) return {};
  return name;
}

}  // namespace kov
