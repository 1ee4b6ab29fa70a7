// The texts of the program's start-up checks of its data files. Windows-1252.
#pragma once

#include <string>
#include <string_view>

#include "runtime/cp1252.h"

namespace kov::config_text {

// A data file of the program folder whose name differs from the one in use by letter case.
inline std::string otherSpelling(std::string_view other, std::string_view used) {
  return std::string("Nella cartella del programma c'è anche il file \""_cp) + std::string(other) +
         "\", lo stesso nome scritto con altre maiuscole e minuscole: non viene usato. La "
         "procedura usa il file \"" +
         std::string(used) + "\".";
}

}  // namespace kov::config_text
