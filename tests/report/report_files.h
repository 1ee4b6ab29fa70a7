// Recordings files and report files as the report tests expect them, built here by hand
// rather than by the program's code.
#pragma once

#include <string>

#include "report/report_engine.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

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

inline const std::string kReportName = "20261231_0905_Log.txt";

// A program folder with a recordings file and a report folder "Report" beside it, and the
// request of a report there.
struct ReportRun {
  TempFolder folder;
  FakePlatform platform;
  ReportRequest request;

  explicit ReportRun(const std::string& recordings, const std::string& start = "20261201",
                     const std::string& end = "20261231")
      : request{folder.file("OdV"), folder.path() + "\\Report\\", kReportName, start, end, false,
                "Log Accessi"} {
    folder.write("OdV", recordings);
    folder.makeFolder("Report");
  }

  ReportOutcome go() { return generateReport(platform, request); }
  bool hasReport(const std::string& name = kReportName) const {
    return folder.exists("Report/" + name);
  }
  // The report's bytes, none when there is no report.
  std::string report(const std::string& name = kReportName) const {
    return hasReport(name) ? folder.read("Report/" + name) : "";
  }
};

}  // namespace kov::test
