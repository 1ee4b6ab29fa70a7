// The main window with the data controller signed in. The report folder has 199 characters,
// the most its box takes: a run still gives it its closing "\".
#pragma once

#include <filesystem>

#include "support/report_files.h"
#include "support/window.h"

namespace kov::test {

// The report folder in the messages a test expects, whatever the temporary folder.
inline const std::string kFolder = "<report>";

inline std::string found(int count) {
  return foundText(count, kFolder + "\\" + kReportName);
}
inline std::string pdfFailed(const std::string& reason) {
  return "Il PDF del report non \xE8 stato scritto: " + kFolder + "\\" + kReportName + ".pdf\n\r" +
         reason + "\n\rIl report \xE8 stato scritto per intero.";
}

struct Controller : Window {
  std::string sub = std::string(198 - folder.path().size(), 'r');  // in the program folder
  std::string reportFolder = folder.path() + "\\" + sub;
  explicit Controller(const std::string& recordings = {}, bool sign = true) {
    storeBothRoles(sub);
    if (!recordings.empty()) folder.write("OdV", recordings);
    folder.makeFolder(sub);
    if (!sign) return;
    show();
    signIn(Role::Controller, "Titolare", "segreto99");
  }
  // The messages shown, the report folder in them, as typed or as the system names it, written
  // kFolder.
  std::vector<std::string> said() const {
    std::vector<std::string> texts = platform.texts();
    for (std::string& text : texts) {
      for (const std::string& name : {reportFolder, folder.file(sub)}) {
        for (std::size_t at; (at = text.find(name)) != std::string::npos;)
          text.replace(at, name.size(), kFolder);
      }
    }
    return texts;
  }
  std::string reportFile() const { return folder.file(sub + "/" + kReportName); }
  std::string report() const {
    return std::filesystem::exists(reportFile()) ? readBytes(reportFile()) : "";
  }
};

}  // namespace kov::test
