#include "entry.h"

#include "shell/runtime/cp1252.h"
#include "shell/runtime/text.h"

namespace kov {

std::string entryText(const DateTime& at, std::string_view workstation, std::string_view account,
                      std::string_view description) {
  return kUnreported + formatDate(at) + formatTime(at) + padCut(workstation, 14) +
         padCut(account, 20) + std::string(trimSpaces(description));
}

std::string displayLine(std::string_view entry) {
  std::string line = "|";
  line += mid(entry, 2, 10);
  line += '|';
  line += mid(entry, 12, 8);
  line += '|';
  line += mid(entry, 20, 14);
  line += '|';
  line += mid(entry, 34, 20);
  line += '|';
  line += mid(entry, 54);
  return line;
}

std::string confirmationText(std::string_view entry) {
  std::string text(
      "Il seguente messaggio è stato salvato nel file di log dell'Amministratore di Sistema "_cp);
  text += "\n\r";
  text += "|DT Evento  |Ora        |WorkStation |Account Utente      |Descrizione";
  text += "\n\r";
  text += displayLine(entry);
  return text;
}

}  // namespace kov
