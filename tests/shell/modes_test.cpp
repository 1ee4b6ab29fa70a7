#include <gtest/gtest.h>

#include <QTimer>
#include <algorithm>
#include <cmath>

#include "shell/qt_platform.h"
#include "support/modes.h"

namespace kov {
namespace {

using test::Window;

// Each mode of the window from a prepared program folder, with every control it sets.
const struct {
  const test::Mode& mode;
  int files;  // 0 empty folder, 1 administrator only, 2 both roles
  int signInRole;
} kModes[] = {
    {test::kAdministratorSetUp, 0, -1}, {test::kControllerSetUp, 1, -1},
    {test::kRoleChoice, 2, -1},         {test::kAdministratorSignedIn, 2, 0},
    {test::kControllerSignedIn, 2, 1},
};

TEST(Modes, EveryModeSetsEveryControl) {
  for (const auto& c : kModes) {
    Window w;
    w.showMode(c.files, c.signInRole);
    test::expectMode(w, c.mode);
    EXPECT_TRUE(w.platform.messages.empty()) << c.mode.name;
  }
}

// The contrast ratio of two colours as accessibility guidelines measure it: 1 to 21.
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto channel = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double first = luminance(a);
  const double second = luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// Under a dark desktop theme every box the program colours still shows its text: black on
// yellow and white, the theme's button text on button face.
TEST(Modes, EveryBoxKeepsItsTextReadableUnderADarkTheme) {
  const QPalette desktop = QApplication::palette();
  QPalette dark = desktop;
  for (const auto& [role, colour] : {std::pair{QPalette::Window, QColor(45, 45, 45)},
                                     {QPalette::Base, QColor(30, 30, 30)},
                                     {QPalette::Button, QColor(60, 60, 60)},
                                     {QPalette::WindowText, QColor(240, 240, 240)},
                                     {QPalette::Text, QColor(240, 240, 240)},
                                     {QPalette::ButtonText, QColor(240, 240, 240)}}) {
    dark.setColor(role, colour);
  }
  QApplication::setPalette(dark);
  for (const auto& c : kModes) {
    Window w;
    w.showMode(c.files, c.signInRole);
    for (QWidget* control : w.window->findChildren<QWidget*>()) {
      const bool box = qobject_cast<QLineEdit*>(control) != nullptr;
      if (!box && !control->autoFillBackground()) continue;  // painted by the theme alone
      const QPalette::ColorGroup group =
          control->isEnabled() ? QPalette::Active : QPalette::Disabled;
      const QPalette& colours = control->palette();
      EXPECT_GE(contrast(colours.color(group, box ? QPalette::Base : QPalette::Window),
                         colours.color(group, box ? QPalette::Text : QPalette::WindowText)),
                4.5)
          << c.mode.name << ' ' << control->objectName().toStdString();
    }
  }
  QApplication::setPalette(desktop);
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

// The clock is a label: it shows the regional forms in the locale's own characters.
TEST(Modes, TheClockShowsTheRegionalFormsInTheirOwnCharacters) {
  const struct {
    const char* locale;
    QString date, time;
  } cases[] = {
      {"ar_EG", "\u0664\u200F/\u0661\u0662\u200F/\u0662\u0660\u0662\u0666",
       "\u0669:\u0660\u0665:\u0660\u0663 \u0635"},
      {"ko_KR", "2026. 12. 4.", "\uC624\uC804 9\uC2DC 5\uBD84 3\uCD08"},
      {"it_IT", "04/12/2026", "09:05:03"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale);
    QtPlatform regional{QLocale(QString::fromLatin1(c.locale))};
    Window w;
    w.platform.regional = &regional;
    w.storeBothRoles();
    w.show();
    const auto* date = w.find<QLabel>("Data_G");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !date->text().isEmpty(); }, 2000));
    EXPECT_EQ(date->text(), c.date);
    EXPECT_EQ(w.find<QLabel>("Ora_G")->text(), c.time);
  }
}

}  // namespace
}  // namespace kov
