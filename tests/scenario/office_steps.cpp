// The steps of an office's day, one per run: the real window on the program folder that holds
// this program, installed there as "kov" in the place of the program file. Each step runs as
// the operating-system user of its role (two_users_test.sh runs them in turn) and fails on any
// error message.
#include <QCoreApplication>

#include "support/window.h"

namespace kov {
namespace {

struct OfficeStep : test::Window {
  OfficeStep() {
    platform.folder = QCoreApplication::applicationDirPath().toStdString();
    show();
  }
  ~OfficeStep() {
    for (const test::Message& m : platform.messages) EXPECT_NE(m.icon, Icon::Critical) << m.text;
  }
  void setUp(const QString& name, const QString& password) {
    type("Utente", name);
    tab("Utente");
    QTest::keyClicks(box("Pw"), password);
  }
};

TEST(OfficeStep, AdministratorSetUp) {
  OfficeStep s;
  s.setUp("Admin", "password1");
  s.retype("Opz_KOV_1", "PC-UFFICIO");
  s.retype("Opz_KOV_2", "Report.txt");
  s.retype("Opz_KOV_3", QString::fromStdString(s.platform.folder + "/report"));
  s.click("Cmd_VPw");
  EXPECT_FALSE(s.window->isVisible());
}

TEST(OfficeStep, ControllerSetUp) {
  OfficeStep s;
  s.setUp("Titolare", "segreto99");
  s.click("Cmd_VPw");
  EXPECT_FALSE(s.window->isVisible());
}

TEST(OfficeStep, Entry) {
  OfficeStep s;
  s.signIn(0, "Admin", "password1");
  s.click("Cmd_Op");
  EXPECT_EQ(s.platform.messages.size(), 1U);
}

TEST(OfficeStep, ReportWithRemoval) {
  OfficeStep s;
  s.signIn(1, "Titolare", "segreto99");
  s.period("04122026", "04122026");
  s.click("Rimuovi");
  s.click("Cmd_Gp");
  EXPECT_EQ(s.platform.texts().at(2), "Il File delle scritture \xE8 stato Eliminato");
}

}  // namespace
}  // namespace kov
