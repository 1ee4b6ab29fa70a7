// Recordings files and report files as the report tests expect them, built here by hand
// rather than by the program's code.
#pragma once

#include <string>

#include "support/expected.h"

namespace kov::test {

inline const std::string kEntryTime = "09:05:03";
inline const std::string kTrappedBefore = "Si \xE8 verificato il seguente errore nella Sub ";

// The plain text of an entry written by workstation PC-01 at 09:05:03.
inline std::string entryText(char flag, const std::string& date, const std::string& description,
                             const std::string& account = "Admin") {
  return flag + date + kEntryTime + pad("PC-01", 14) + pad(account, 20) + description;
}

// The stored record of an entry once a report has marked it: flag "S", no spaces at its
// end.
inline std::string markedRecord(std::string text) {
  text[0] = 'S';
  text.erase(text.find_last_not_of(' ') + 1);
  return storedRecord(text);
}

inline std::string reportRecord(const std::string& line) {
  return pad(line, 253) + "|\r\n";
}

inline const std::string kHeadingRecord =
    reportRecord("|DT Evento |Ora     |WorkStation   |Account Utente      |Descrizione");

// The report record of an entry of entryText().
inline std::string reportedLine(const std::string& date, const std::string& description,
                                const std::string& account = "Admin") {
  return reportRecord("|" + date + "|" + kEntryTime + "|" + pad("PC-01", 14) + "|" +
                      pad(account, 20) + "|" + description);
}

inline std::string trappedText(const std::string& procedure, const std::string& error) {
  return kTrappedBefore + procedure + " :\n\r" + error;
}

}  // namespace kov::test
