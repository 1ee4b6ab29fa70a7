// Recordings and report files as the report tests expect them, built by hand, and the one
// check that no entry was lost.
#pragma once

#include <gtest/gtest.h>

#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov::test {

inline const std::string kReportName = "20261231_0905_Log.txt";

// Its record once a report marked it: flag "S", no spaces at its end.
inline std::string markedRecord(std::string text) {
  text[0] = 'S';
  return storedRecord(text.erase(text.find_last_not_of(' ') + 1));
}
inline std::string stored(const std::vector<std::string>& texts) {
  std::string bytes;
  for (const std::string& t : texts) bytes += storedRecord(t);
  return bytes;
}
inline std::string reportRecord(const std::string& line) {
  return pad(line, 253) + "|\r\n";
}
inline const std::string kHeadingRecord =
    reportRecord("|DT Evento |Ora     |WorkStation   |Account Utente      |Descrizione");
// The report record of an entry text.
inline std::string lineOf(const std::string& t) {
  return reportRecord("|" + t.substr(1, 10) + "|" + t.substr(11, 8) + "|" + t.substr(19, 14) + "|" +
                      t.substr(33, 20) + "|" + t.substr(std::min<std::size_t>(53, t.size())));
}
inline std::string trappedText(const std::string& procedure, const std::string& error) {
  return "Si \xE8 verificato il seguente errore nella Sub " + procedure + " :\n\r" + error;
}
inline const std::string kBadCall = "5-Chiamata di routine o argomento non validi";
inline std::string damagedLine(int n) {
  return "La riga <" + std::to_string(n) +
         "> del file delle rilevazioni risulta corrotta.Verr\xE0 pertanto scartata.";
}
inline std::string leftText(std::int64_t n) {
  return "Attenzione, Ci sono ancora n.< " + std::to_string(n) + "> scritture da rilevare";
}
inline const std::string kDeleted = "Il File delle scritture \xE8 stato Eliminato";
inline std::string foundText(std::size_t count, const std::string& report) {
  return "Sono state rilevate n.  " + std::to_string(count) + " scritture in " + report;
}

// Every entry is still in the recordings file, unreported or marked with its line in the
// report, or the file was replaced by the removal with every line in the report.
inline void expectNoEntryLost(const std::vector<std::string>& texts, const std::string& recordings,
                              const std::string& report) {
  const bool removed = recordings == loggedRecord(kRemoved);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string record = removed ? "" : recordings.substr(i * 256, 256);
    const bool reported = report.find(lineOf(texts[i])) != std::string::npos;
    if (record != storedRecord(texts[i]) &&
        (!reported || (!removed && record != markedRecord(texts[i]))))
      return ADD_FAILURE() << "entry " << i + 1 << " lost";
  }
}

}  // namespace kov::test
