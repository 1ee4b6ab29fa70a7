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

  // Each character as the keyboard delivers it, into the box whatever has the focus.
  void keys(const char* name, const QString& text) const {
    for (const QChar c : text) {
      QTest::sendKeyEvent(QTest::Click, box(name), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  void tab(const char* name) const {
    QTest::keyClick(box(name), Qt::Key_Tab);
    settle();
  }
  // Types both dates, leaving each box by Tab.
  void period(const QString& start, const QString& end) const {
    keys("Dt_1", start);
    tab("Dt_1");
    keys("Dt_2", end);
    tab("Dt_2");
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
