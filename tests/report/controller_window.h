// The main window with the data controller signed in, ready to type a period.
#pragma once

#include "report/report_files.h"
#include "support/window.h"

namespace kov::test {

struct Controller : Window {
  // A program folder whose report folder is "report"; `recordings` empty means no file.
  explicit Controller(const std::string& recordings = {}) {
    storeBothRoles();
    if (!recordings.empty()) folder.write("OdV", recordings);
    folder.makeFolder("report");
    show();
    signIn(1, "Titolare", "segreto99");
  }

  std::string shown(const char* name) const { return toCp1252(box(name)->displayText()); }
  std::string report() const { return folder.read("report/20261231_0905_Log.txt"); }
};

// The record of an entry the data controller's window logs at 09:05:03 on 04/12/2026.
inline std::string loggedRecord(const std::string& description) {
  return storedRecord("N04/12/2026" + kEntryTime + pad("PC-01", 14) + pad("Titolare", 20) +
                      description);
}

}  // namespace kov::test
