#include "data_files.h"

#include "cores/shared/kov_par.h"
#include "runtime/file.h"
#include "texts.h"

namespace kov {

std::vector<std::string> otherSpellingNotices(std::string_view programFolder) {
  std::vector<std::string> notices;
  for (const std::string_view suffix : {kAdministratorFile, kControllerFile, kRecordingsFile}) {
    const std::vector<std::string> spellings = spellingsIn(programFolder, suffix);
    for (std::size_t i = 1; i < spellings.size(); ++i) {
      notices.push_back(config_text::otherSpelling(spellings[i], spellings[0]));
    }
  }
  return notices;
}

}  // namespace kov
