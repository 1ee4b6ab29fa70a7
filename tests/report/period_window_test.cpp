#include <gtest/gtest.h>

#include "report/controller_window.h"

namespace kov {
namespace {

using test::Controller;
using test::kCaption;

const std::string kNoPeriod = "Occorre impostare il periodo da Esportare";
const std::string kNothing = "Non sono state trovate scritture per il periodo selezionato";
const std::string kOrder =
    "La Data di Fine del periodo deve essere superiore alla data di Inizio periodo";

TEST(PeriodBoxes, EnteringABoxTurnsItYellowWithItsWholeTextSelected) {
  Controller w;
  QLineEdit* first = w.box("Dt_1");
  QLineEdit* second = w.box("Dt_2");
  EXPECT_TRUE(first->hasFocus());
  EXPECT_EQ(test::background(first), test::kYellow);
  EXPECT_EQ(first->selectedText(), "  /  /    ");
  w.keys("Dt_1", "01122026");
  w.tab("Dt_1");
  EXPECT_EQ(test::background(first), test::kWhite);
  EXPECT_EQ(test::background(second), test::kYellow);
  EXPECT_EQ(second->selectionStart(), 0);
  EXPECT_EQ(second->selectedText(), "  /  /    ");
  QTest::keyClick(second, Qt::Key_Backtab, Qt::ShiftModifier);
  test::Window::settle();
  EXPECT_EQ(test::background(second), test::kWhite);
  EXPECT_EQ(first->selectedText(), "01/12/2026");
  w.keys("Dt_1", "0");  // typing replaces the selection
  EXPECT_EQ(w.shown("Dt_1"), "0 /  /    ");
}

TEST(PeriodBoxes, TheKeyFilterGivesTodayOnDAndBeepsOnAnythingButDigitsAndSlash) {
  const struct {
    QString typed;
    std::string shown;
    int beeps;
  } cases[] = {
      {"d", "04/12/2026", 0},        {"D", "04/12/2026", 0},        {"x", "  /  /    ", 1},
      {"01122026", "01/12/2026", 0}, {"4/1/2026", "4 /1 /2026", 0}, {"0a1 .", "01/  /    ", 3},
      {"\u20AC", "  /  /    ", 1},   {"\r", "  /  /    ", 1},
  };
  for (const auto& c : cases) {
    Controller w;
    w.keys("Dt_1", c.typed);
    EXPECT_EQ(w.shown("Dt_1"), c.shown) << c.typed.toStdString();
    EXPECT_EQ(w.platform.beeps, c.beeps) << c.typed.toStdString();
  }
}

TEST(PeriodBoxes, EditingKeysPassWithoutABeep) {
  Controller w;
  w.keys("Dt_1", "d");
  for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Delete}) {
    QTest::keyClick(w.box("Dt_1"), key);
  }
  EXPECT_EQ(w.shown("Dt_1"), "04/12/20  ");
  EXPECT_EQ(w.platform.beeps, 0);
}

TEST(PeriodBoxes, LeavingABoxRewritesAValidDateDayFirstAndLeavesAnythingElse) {
  const struct {
    QString typed;
    std::string shown;
  } cases[] = {
      {"4/1/2026", "04/01/2026"},  {"29/02/2024", "29/02/2024"}, {"31/04/2026", "31/04/2026"},
      {"1/13/2026", "1 /13/2026"}, {"05", "05/  /    "},         {"", "  /  /    "},
      {"301126", "30/11/2026"},    {"1/1/30", "01/01/1930"},
  };
  for (const auto& c : cases) {
    Controller w;
    w.keys("Dt_1", c.typed);
    w.tab("Dt_1");
    EXPECT_EQ(w.shown("Dt_1"), c.shown) << c.typed.toStdString();
    EXPECT_TRUE(w.platform.messages.empty());
  }
}

TEST(PeriodBoxes, KeysAreSetOnlyOnLeavingTheEndWithBothBoxesFilled) {
  const struct {
    const char* name;
    QString start, end;
    int beeps;
    std::vector<std::string> messages;  // leaving the end, then clicking Ok
  } cases[] = {
      {"start untouched", "", "31122026", 0, {kNoPeriod}},
      {"end untouched", "01122026", "", 0, {kNoPeriod}},
      {"same day", "15122026", "15122026", 0, {kNothing}},
      {"end before start", "31122026", "01122026", 1, {kOrder, kNothing}},
      {"two-digit years", "010130", "311226", 0, {kNothing}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Controller w;
    w.period(c.start, c.end);
    EXPECT_EQ(w.platform.beeps, c.beeps);
    if (c.beeps != 0) {
      EXPECT_TRUE(w.box("Dt_1")->hasFocus());
      EXPECT_EQ(test::background(w.box("Dt_1")), test::kYellow);
      EXPECT_EQ(test::background(w.box("Dt_2")), test::kWhite);
    }
    w.click("Cmd_Gp");
    EXPECT_EQ(w.platform.texts(), c.messages);
    for (const test::Message& m : w.platform.messages) {
      EXPECT_EQ(m.icon, Icon::Information);
      EXPECT_EQ(m.title, kCaption);
    }
    EXPECT_TRUE(w.box("Dt_1")->hasFocus());
  }
}

TEST(PeriodBoxes, AStartChangedAfterLeavingTheEndReachesTheKeysOnlyWhenTheEndIsLeftAgain) {
  Controller w(test::storedRecord(test::entryText('N', "05/12/2026", "prima")));
  w.period("01122026", "311226");  // the end with a two-digit year
  w.box("Dt_1")->setFocus();
  test::Window::settle();
  w.keys("Dt_1", "10122026");
  w.click("Cmd_Gp");  // leaves box 1 for the button
  ASSERT_GE(w.platform.messages.size(), 1U);
  EXPECT_EQ(w.platform.messages[0].text, "Sono state rilevate n.  1 scritture in " +
                                             w.folder.path() + "\\report\\20261231_0905_Log.txt");
  // The logged wording takes the boxes as they are.
  EXPECT_EQ(w.recordings().substr(256),
            test::loggedRecord("Creato il file delle operazioni dell'Amministratore di Sistema "
                               "dal 10/12/2026 al 31/12/2026"));
}

}  // namespace
}  // namespace kov
