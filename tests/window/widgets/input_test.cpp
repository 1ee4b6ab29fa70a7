// The bad input each box of the window refuses as it is typed or pasted: the beep, the word
// shown beside the box and what the box keeps. What the button after it says of a box left
// empty is in the password button's table.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QToolTip>

#include "support/tables.h"
#include "support/window.h"

namespace kov {
namespace {

const QString kStore = QString::fromUtf8(
    "Carattere non ammesso: non può essere registrato. Il testo non è stato modificato.");
const QString kDate = QString::fromUtf8(
    "Nella data sono ammesse solo le cifre e la barra /; d o D inserisce la data di oggi.");
QString tooLong(int limit) {
  return QString::fromUtf8(
             "Testo troppo lungo: il campo accetta al massimo %1 caratteri. Il "
             "testo non è stato modificato.")
      .arg(limit);
}

const QString kMask = "  /  /    ";  // of an empty date box

enum class Screen { SetUp, Entries, Period };  // the first set-up, and each role signed in
using enum Screen;

struct Input {
  const char* name;
  Screen screen = SetUp;
  const char* box;
  QString typed{}, pasted{};
  QString shown{};  // what the box shows afterwards
  int beeps = 1;
  QString notice{};  // beside the box; none: nothing shown
};

const Input kInputs[] = {
    {.name = "TabPasted", .box = "Utente", .pasted = "Rossi\t12345", .notice = kStore},
    {.name = "SnowmanTyped", .box = "Utente", .typed = "R\u2603s", .shown = "Rs", .notice = kStore},
    {.name = "SpacesTyped", .box = "Pw", .typed = "   ", .shown = "***", .beeps = 0},
    {.name = "ThornTyped",
     .box = "Opz_KOV_1",
     .typed = "\u00FE\u00FF",
     .beeps = 2,
     .notice = kStore},
    {.name = "OneTooMany", .box = "Opz_KOV_2", .pasted = QString(21, 'x'), .notice = tooLong(20)},
    {.name = "FiveThousand",
     .box = "Opz_KOV_3",
     .pasted = QString(5000, 'z'),
     .notice = tooLong(199)},
    {.name = "DeletePasted",
     .screen = Entries,
     .box = "Opz_KOV_0",
     .pasted = "R\177",
     .notice = kStore},
    {.name = "ControlTyped",
     .screen = Entries,
     .box = "Opz_KOV_0",
     .typed = "R\001s",
     .shown = "Rs",
     .beeps = 0},
    {.name = "LettersInADate",
     .screen = Period,
     .box = "Dt_1",
     .typed = "z|",
     .shown = kMask,
     .beeps = 2,
     .notice = kDate},
    {.name = "SnowmanPastedInADate",
     .screen = Period,
     .box = "Dt_2",
     .pasted = "\u2603",
     .shown = kMask,
     .beeps = 0},
    {.name = "SnowmanInADate",
     .screen = Period,
     .box = "Dt_2",
     .typed = "04\u26031226",
     .shown = "04/12/26  ",
     .notice = kDate},
};

class Inputs : public testing::TestWithParam<Input> {};

// Each box is entered without the mouse (whose tool tips would hide the box's word), emptied
// and typed into, one key per character, then pasted into as Ctrl+V and the menu do.
TEST_P(Inputs, AreRefusedWithABeepAndAWord) {
  const Input& row = GetParam();
  test::Window w;
  w.platform.computer = "";  // no name proposed: the workstation box starts empty
  w.folder.write("OdV", test::loggedRecord(test::kBackup, "Admin"));
  if (row.screen == Screen::SetUp) {
    w.show();
  } else {
    w.showSignedIn(row.screen == Entries ? test::Role::Administrator : test::Role::Controller);
  }
  w.box(row.box)->setFocus();
  test::Window::settle();
  w.box(row.box)->clear();
  w.platform.beeps = 0;
  w.keys(row.box, row.typed);
  QApplication::clipboard()->setText(row.pasted);
  if (!row.pasted.isEmpty()) w.box(row.box)->paste();
  EXPECT_EQ(w.box(row.box)->displayText(), row.shown);
  EXPECT_EQ(w.platform.beeps, row.beeps);
  EXPECT_EQ(QToolTip::text(), row.notice);
}

INSTANTIATE_TEST_SUITE_P(, Inputs, testing::ValuesIn(kInputs), test::RowName());

}  // namespace
}  // namespace kov
