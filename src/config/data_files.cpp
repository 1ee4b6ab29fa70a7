#include "data_files.h"

#include "shell/kov_par.h"
#include "shell/runtime/file.h"

namespace kov {

std::vector<std::string> otherSpellingNotices(std::string_view programFolder) {
  std::vector<std::string> notices;
  for (const std::string_view suffix : {kAdministratorFile, kControllerFile, kRecordingsFile}) {
    const std::vector<std::string> spellings = spellingsIn(programFolder, suffix);
    for (std::size_t i = 1; i < spellings.size(); ++i) {
      notices.push_back(std::string("Nella cartella del programma c'è anche il file \""_cp) +
                        spellings[i] +
                        "\", lo stesso nome scritto con altre maiuscole e minuscole: non viene "
                        "usato. La procedura usa il file \"" +
                        spellings[0] + "\".");
    }
  }
  return notices;
}

}  // namespace kov
