#include <algorithm>
#include <vector>

#include "file.h"

namespace kov {
namespace {

#ifdef _WIN32
constexpr std::string_view kSeparators = "\\/";
#else
constexpr std::string_view kSeparators = "/";
#endif

}  // namespace

Error createFolders(std::string_view name) {
  // The missing folders, from the deepest up to the first that exists (a drive, a share, the
  // root, or any folder on the way).
  std::vector<std::string_view> missing;
  for (std::string_view folder = name;;) {
    while (folder.size() > 1 && kSeparators.find(folder.back()) != std::string_view::npos) {
      folder.remove_suffix(1);
    }
    if (folder.empty() || isFolder(folder)) break;
    missing.push_back(folder);
    const std::size_t cut = folder.find_last_of(kSeparators);
    if (cut == std::string_view::npos) break;
    folder = folder.substr(0, cut);
  }
  std::reverse(missing.begin(), missing.end());
  for (const std::string_view folder : missing) {
    if (Error error = makeFolder(folder)) return error;
  }
  return {};
}

}  // namespace kov
