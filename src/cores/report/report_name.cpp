#include "report_name.h"

#include <algorithm>

#include "runtime/cp1252.h"
#include "runtime/text.h"

namespace kov {

std::string reportFileName(std::string_view endKey, std::string_view time,
                           std::string_view baseName) {
  std::string name(endKey);
  name += '_';
  name += mid(time, 1, 2);
  name += mid(time, 4, 2);
  name += '_';
  name += baseName;
  return name;
}

namespace {

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, letter case aside, with or without
// an extension: Windows opens the device instead of a file of that name.
bool isDeviceName(std::string_view part) {
  const std::string base = toUpper1252(part.substr(0, part.find('.')));
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
         base[3] >= '1' && base[3] <= '9';
}

// One name between separators: a name ending in a dot or a space loses them on Windows
// (so "." and ".." are refused too), and the characters refused anywhere in a name.
bool isPortablePart(std::string_view part) {
  if (!part.empty() && (part.back() == '.' || part.back() == ' ')) return false;
  return !isDeviceName(part) && std::none_of(part.begin(), part.end(), [](char c) {
    return static_cast<unsigned char>(c) < ' ' ||
           std::string_view("<>:\"/|?*").find(c) != std::string_view::npos;
  });
}

}  // namespace

bool isPortableFileName(std::string_view name) {
  std::size_t start = 0;
  for (std::size_t end = name.find('\\'); end != std::string_view::npos;
       end = name.find('\\', start)) {
    if (!isPortablePart(name.substr(start, end - start))) return false;
    start = end + 1;
  }
  return isPortablePart(name.substr(start));
}

}  // namespace kov
