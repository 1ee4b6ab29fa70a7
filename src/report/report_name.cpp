#include "report_name.h"

#include <algorithm>

#include "shell/runtime/text.h"

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

bool isPortableFileName(std::string_view name) {
  return std::none_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < ' ' ||
           std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
  });
}

}  // namespace kov
