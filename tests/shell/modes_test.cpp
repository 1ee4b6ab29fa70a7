#include <gtest/gtest.h>

#include <QTimer>

#include "support/modes.h"

namespace kov {
namespace {

using test::Window;

// Each mode of the window from a prepared program folder, with every control it sets.
TEST(Modes, EveryModeSetsEveryControl) {
  const struct {
    const test::Mode& mode;
    int files;  // 0 empty folder, 1 administrator only, 2 both roles
    int signInRole;
  } cases[] = {
      {test::kAdministratorSetUp, 0, -1}, {test::kControllerSetUp, 1, -1},
      {test::kRoleChoice, 2, -1},         {test::kAdministratorSignedIn, 2, 0},
      {test::kControllerSignedIn, 2, 1},
  };
  for (const auto& c : cases) {
    Window w;
    w.showMode(c.files, c.signInRole);
    test::expectMode(w, c.mode);
    EXPECT_TRUE(w.platform.messages.empty()) << c.mode.name;
  }
}

TEST(Modes, ChangingRoleSignsOutButKeepsThePasswordButton) {
  Window w;
  w.storeBothRoles();
  w.show();
  w.signIn(0, "Admin", "password1");
  w.click("Tp_Ut_1");
  EXPECT_EQ(w.par.Tipo_Utente, 1);
  EXPECT_EQ(w.text("Utente"), "");
  EXPECT_EQ(w.text("Pw"), "");
  EXPECT_FALSE(w.find("Frm_KoV")->isEnabled());
  EXPECT_TRUE(w.find("Var_Par")->isHidden());
  EXPECT_TRUE(w.find("Cmd_VPw")->isEnabled());
  EXPECT_EQ(w.box("Utente")->toolTip(), "Nome del Titolare del Trattamento (Titolare)");
}

TEST(Modes, TheClockRunsEvery500MillisecondsOnlyAfterANormalStart) {
  const struct {
    bool bothRoles;
    QString date, time;
  } cases[] = {{true, "04/12/2026", "09:05:03"}, {false, "", ""}};
  for (const auto& c : cases) {
    Window w;
    if (c.bothRoles) w.storeBothRoles();
    w.show();
    auto* timer = w.window->findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 500);
    EXPECT_TRUE(timer->isActive());
    QTest::qWait(700);
    EXPECT_EQ(w.find<QLabel>("Data_G")->text(), c.date);
    EXPECT_EQ(w.find<QLabel>("Ora_G")->text(), c.time);
  }
}

}  // namespace
}  // namespace kov
