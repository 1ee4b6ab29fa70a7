// The period picked beside the date boxes with the keyboard alone, then reported. Today is
// 04/12/2026 on the fake clock; the data controller's sign-in leaves the focus in Dt_1.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/controller_window.h"
#include "support/tables.h"

namespace kov {
namespace {

using namespace test;

const std::string jun = entryText('N', "15/06/2025", "giugno");
const std::string nov = entryText('N', "30/11/2026", "novembre");
const std::string dec1 = entryText('N', "01/12/2026", "dicembre");
const std::string dec13 = entryText('N', "13/12/2026", "tredici");

struct Pick {
  const char* name;
  QString typed1{}, typed2{};  // typed into Dt_1, then Tab, and into Dt_2
  const char* box;
  QKeyCombination opener = Qt::Key_F4;  // Key_unknown: a click on the box's picker
  std::vector<QKeyCombination> keys{};  // in the pop-up, then in the window
  std::string from, to;
  const char* focus = "Dt_1";
  std::vector<std::string> lines{};  // of the report; none: no period keys
};

const Pick kPicks[] = {
    {
        .name = "ArrowsAndEnter",
        .typed1 = "01122026",
        .box = "Dt_2",
        .keys = {Qt::Key_Right, Qt::Key_Down, Qt::Key_Enter},
        .from = "01/12/2026",
        .to = "12/12/2026",
        .focus = "Dt_2",
        .lines = {dec1},
    },
    {
        .name = "OpenedOnTheBoxsDate",
        .typed1 = "01122026",
        .typed2 = "150127",
        .box = "Dt_2",
        .opener = Qt::ALT | Qt::Key_Down,
        .keys = {Qt::Key_Left, Qt::Key_Return},
        .from = "01/12/2026",
        .to = "14/01/2027",
        .focus = "Dt_2",
        .lines = {dec1, dec13},
    },
    {
        .name = "AClickThenEnterInTheBoxNotLeft",
        .typed1 = "01122026",
        .typed2 = "31122026",
        .box = "Dt_1",
        .opener = Qt::Key_unknown,
        .keys = {Qt::Key_Right, Qt::Key_Enter},
        .from = "02/12/2026",
        .to = "31/12/2026",
        .lines = {dec1, dec13},
    },
    {
        .name = "EscapeChangesNothing",
        .box = "Dt_1",
        .keys = {Qt::Key_Right, Qt::Key_Escape, Qt::Key_D, Qt::Key_Tab},
        .from = "04/12/2026",
        .to = "  /  /    ",
        .focus = "Dt_2",
    },
    {
        .name = "LastMonth",
        .box = "Dt_1",
        .keys = {Qt::ALT | Qt::Key_M},
        .from = "01/11/2026",
        .to = "30/11/2026",
        .lines = {nov},
    },
    {
        .name = "ThisMonth",
        .typed1 = "31122026",
        .typed2 = "01",
        .box = "Dt_2",
        .keys = {Qt::ALT | Qt::Key_Q},
        .from = "01/12/2026",
        .to = "31/12/2026",
        .lines = {dec1, dec13},
    },
    {
        .name = "LastYearOverAPeriodOutOfOrder",
        .typed1 = "31122026",
        .typed2 = "01122026",
        .box = "Dt_2",
        .keys = {Qt::ALT | Qt::Key_A},
        .from = "01/01/2025",
        .to = "31/12/2025",
        .lines = {jun},
    },
};

class Picks : public testing::TestWithParam<Pick> {};

TEST_P(Picks, AreReportedAsIfTyped) {
  const Pick& row = GetParam();
  Controller w(stored({jun, nov, dec1, dec13}));
  if (!row.typed1.isEmpty()) w.keys("Dt_1", row.typed1), w.tab("Dt_1");
  w.keys("Dt_2", row.typed2);
  if (row.opener.key() == Qt::Key_unknown)
    w.click(("Pick_" + std::string(row.box)).c_str());
  else
    QTest::keyClick(w.box(row.box), row.opener.key(), row.opener.keyboardModifiers());
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  for (const QKeyCombination key : row.keys) {
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    w.settle();
  }
  // An access key clicks its button after the button has shown itself pressed.
  EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
  EXPECT_TRUE(w.box(row.focus)->hasFocus());
  EXPECT_EQ(toCp1252(w.box("Dt_1")->displayText() + " " + w.box("Dt_2")->displayText()),
            row.from + " " + row.to);
  w.click("Cmd_Gp");
  const std::string name =
      row.to.substr(6) + row.to.substr(3, 2) + row.to.substr(0, 2) + "_0905_Log.txt";
  std::string report = kHeadingRecord, files;
  for (const std::string& line : row.lines) report += lineOf(line);
  for (const auto& file : std::filesystem::directory_iterator(w.folder.file(w.sub))) {
    if (file.path().extension() == ".pdf") continue;  // the report's PDF is tested on its own
    files += file.path().filename().string() + readBytes(file.path().string());
  }
  EXPECT_EQ(files, row.lines.empty() ? "" : name + report);
  // No message before the run's first: a preset never shows half a period.
  EXPECT_EQ(w.said().at(0),
            row.lines.empty() ? kNoPeriod : foundText(row.lines.size(), kFolder + "\\" + name));
}

INSTANTIATE_TEST_SUITE_P(, Picks, testing::ValuesIn(kPicks), test::RowName());

}  // namespace
}  // namespace kov
