// The data files of the program folder whose name is there in more than one spelling.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kov {

// One notice for each data file whose name the program folder holds in another spelling too
// ("Odv" beside "OdV", after a backup was restored, say): which one is used and which is not.
std::vector<std::string> otherSpellingNotices(std::string_view programFolder);

}  // namespace kov
