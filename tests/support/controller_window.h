// The main window with the data controller signed in. The report folder has 199 characters,
// the most its box takes: a run still gives it its closing "\".
#pragma once

#include <filesystem>

#include "support/report_files.h"
#include "support/window.h"

namespace kov::test {

struct Controller : Window {
  std::string sub = std::string(198 - folder.path().size(), 'r');  // in the program folder
  std::string reportFolder = folder.path() + "\\" + sub;
  explicit Controller(const std::string& recordings = {}, bool sign = true) {
    storeBothRoles(false, sub);
    if (!recordings.empty()) folder.write("OdV", recordings);
    folder.makeFolder(sub);
    if (!sign) return;
    show();
    signIn(1, "Titolare", "segreto99");
  }
  std::string found(int count) const { return foundText(count, reportFolder + "\\" + kReportName); }
  std::string pdfFailed(const std::string& reason) const {
    return "Il PDF del report non \xE8 stato scritto: " + reportFolder + "\\" + kReportName +
           ".pdf\n\r" + reason + "\n\rIl report \xE8 stato scritto per intero.";
  }
  std::string reportFile() const { return folder.file(sub + "/" + kReportName); }
  std::string report() const {
    return std::filesystem::exists(reportFile()) ? readBytes(reportFile()) : "";
  }
};

}  // namespace kov::test
