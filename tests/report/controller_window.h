// The main window with the data controller signed in; the report folder is "report".
#pragma once

#include "report/report_files.h"
#include "support/window.h"

namespace kov::test {

struct Controller : Window {
  explicit Controller(const std::string& recordings = {}, bool sign = true) {
    storeBothRoles();
    if (!recordings.empty()) folder.write("OdV", recordings);
    folder.makeFolder("report");
    if (!sign) return;
    show();
    signIn(1, "Titolare", "segreto99");
  }
  std::string found(int count) const {
    return "Sono state rilevate n.  " + std::to_string(count) + " scritture in " + folder.path() +
           "\\report\\" + kReportName;
  }
  std::string report() const { return folder.exists(kReportFile) ? folder.read(kReportFile) : ""; }
};

}  // namespace kov::test
