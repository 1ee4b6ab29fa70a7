// Sign-in with the program's real message boxes on a real X server (Xvfb, no window
// manager): each leave, its modal box included, ends before the next box is entered.
#include <gtest/gtest.h>

#include "support/real_boxes.h"
#include "support/window.h"

namespace kov {
namespace {

using test::BoxCloser;
using test::RealBoxes;

struct RealWindow {
  test::TempFolder folder;
  RealBoxes platform{folder.path()};
  Kov_Par par;
  KOV window{par, platform};

  RealWindow() {
    folder.write("KoV",
                 test::administratorFile("PC-01", false, "Log.txt", "C:\\R", "Admin", "password1"));
    folder.write("TdT", test::controllerFile("Titolare", "segreto99"));
    EXPECT_TRUE(window.Form_Load());
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  QLineEdit* box(const char* name) { return window.findChild<QLineEdit*>(name); }
  void tab(const char* from) {
    QTest::keyClick(box(from), Qt::Key_Tab);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QTest::qWait(100);
  }
};

// A wrong name comes back to the user box, a wrong password stays in the password box,
// then the right one signs in.
TEST(SignInWithRealBoxes, EachRefusalComesBackToItsBoxThenTheRightPasswordSignsIn) {
  RealWindow w;
  BoxCloser closer;
  w.box("Utente")->setFocus();
  QTest::keyClicks(w.box("Utente"), "Intruso");
  w.tab("Utente");
  QTRY_COMPARE(closer.texts, QStringList{"L'identificativo non coincide con quello Predefinito"});
  QTRY_VERIFY(w.box("Utente")->hasFocus());
  EXPECT_TRUE(w.window.isActiveWindow());
  EXPECT_EQ(test::background(w.box("Utente")), test::kYellow);
  EXPECT_NE(test::background(w.box("Pw")), test::kYellow);

  QTest::keyClicks(w.box("Utente"), "admin");
  w.tab("Utente");
  QTRY_VERIFY(w.box("Pw")->hasFocus());
  QTest::keyClicks(w.box("Pw"), "sbagliata");
  w.tab("Pw");
  QTRY_COMPARE(closer.texts.size(), 2);
  EXPECT_EQ(closer.texts[1], QString::fromUtf8("La Password non è corretta"));
  QTRY_VERIFY(w.box("Pw")->hasFocus());
  EXPECT_EQ(w.box("Pw")->text(), "");
  EXPECT_EQ(w.box("Utente")->text(), "admin");
  QTest::keyClicks(w.box("Pw"), "password1");
  w.tab("Pw");
  QTRY_VERIFY(w.box("Opz_KOV_0")->hasFocus());
  EXPECT_TRUE(w.window.findChild<QWidget*>("Frm_KoV")->isEnabled());
  EXPECT_EQ(closer.texts.size(), 2);
}

}  // namespace
}  // namespace kov
