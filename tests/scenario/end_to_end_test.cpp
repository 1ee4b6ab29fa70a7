// An office's month on one program folder, from the empty folder: both first set-ups, entries,
// a password change with new parameters and restricted access, the report with removal.
// After every step each file is compared byte for byte with records built here.
#include <gtest/gtest.h>

#include "report/report_files.h"
#include "runtime/file.h"
#include "support/modes.h"

namespace kov {
namespace {

using test::administratorFile;
using test::controllerFile;

struct Office : test::Window {
  std::string reports = folder.path() + "\\report";
  std::vector<std::string> entries;  // the plain entries written, in order

  // A new run of the program on the same folder, at a moment of 04/12/2026.
  void run(int hour, int minute, const test::Mode& mode) {
    window.reset();
    par = Kov_Par{};
    platform.messages.clear();
    at(hour, minute);
    show();
    test::expectMode(*this, mode);
  }
  void at(int hour, int minute) { platform.clock = {2026, 12, 4, hour, minute, 0}; }
  // The entry the log writer makes now; the recordings file holds every one in order.
  void logged(const std::string& workstation, const std::string& account, const std::string& what) {
    char time[9];
    std::snprintf(time, sizeof time, "%02d:%02d:00", platform.clock.hour, platform.clock.minute);
    entries.push_back("N04/12/2026" + std::string(time) + test::pad(workstation, 14) +
                      test::pad(account, 20) + what);
    std::string bytes;
    for (const std::string& entry : entries) bytes += test::storedRecord(entry);
    EXPECT_EQ(recordings(), bytes);
  }
  void setUp(const QString& user, const QString& password) {
    type("Utente", user);
    tab("Utente");
    QTest::keyClicks(box("Pw"), password);
  }
};

TEST(EndToEnd, AnOfficesMonthFromAnEmptyFolder) {
  Office o;
  o.folder.makeFolder("report");
  o.run(9, 0, test::kAdministratorSetUp);
  o.setUp("Admin", "password1");
  o.retype("Opz_KOV_1", "PC-UFFICIO");
  o.retype("Opz_KOV_2", "Report.txt");
  o.retype("Opz_KOV_3", QString::fromStdString(o.reports));
  o.click("Cmd_VPw");
  EXPECT_FALSE(o.window->isVisible());
  const std::string administrator =
      administratorFile("PC-UFFICIO", false, "Report.txt", o.reports, "Admin", "password1");
  EXPECT_EQ(o.folder.read("KoV"), administrator);
  EXPECT_FALSE(o.folder.exists("TdT"));
  o.logged("PC-UFFICIO", "Admin", test::kActivated);

  o.run(9, 10, test::kControllerSetUp);
  o.setUp("Titolare", "segreto99");
  o.click("Cmd_VPw");
  EXPECT_FALSE(o.window->isVisible());
  EXPECT_EQ(o.folder.read("TdT"), controllerFile("Titolare", "segreto99"));
  EXPECT_EQ(o.folder.read("KoV"), administrator);
  o.logged("PC-UFFICIO", "Titolare", test::kActivated);

  // Entries: the backup check proposed at sign-in, then the other two planned operations;
  // each locks the window until the password is typed again.
  o.run(9, 20, test::kRoleChoice);
  EXPECT_EQ(o.find<QLabel>("N_Accessi")->text(), "2");
  o.signIn(0, "Admin", "password1");
  const std::pair<const char*, std::string> operations[] = {
      {"Op_Pi_0", test::kBackup},
      {"Op_Pi_1", "Eseguito ripristo del Data Base come da verbale del 04/12/2026"},
      {"Op_Pi_2", "Verificato e aggiornato elenco delle credenziali di accesso alla Rete"}};
  for (const auto& [option, description] : operations) {
    o.click(option);
    o.click("Cmd_Op");
    o.logged("PC-UFFICIO", "Admin", description);
    o.unlock("password1");
  }
  EXPECT_EQ(o.find<QLabel>("N_Accessi")->text(), "5");

  // The password changes, and with it the parameters, restricted access now ticked.
  o.at(9, 25);
  o.click("Var_Par");
  o.retype("Opz_KOV_1", "PC-NUOVO");
  o.retype("Opz_KOV_2", "Nuovo.txt");
  o.click("Acc_Ris");
  o.whileDialogOpen = [](const Pw_Kov& dialog) { test::confirmPassword(dialog, "nuovapass1"); };
  o.click("Cmd_VPw");
  EXPECT_EQ(o.dialogsShown, 1);
  const std::string changed =
      administratorFile("PC-NUOVO", true, "Nuovo.txt", o.reports, "Admin", "nuovapass1");
  EXPECT_EQ(o.folder.read("KoV"), changed);
  EXPECT_EQ(o.folder.read("TdT"), controllerFile("Titolare", "segreto99"));
  o.logged("PC-NUOVO", "Admin", test::kChanged);
  o.unlock("nuovapass1");
  test::expectMode(o, test::kAdministratorSignedIn);

  // The data controller reports the day and removes the recordings file.
  o.at(9, 30);
  o.signIn(1, "Titolare", "segreto99");
  o.period("04122026", "04122026");
  o.click("Rimuovi");
  o.platform.messages.clear();
  o.click("Cmd_Gp");
  std::string report = test::kHeadingRecord;
  for (const std::string& e : o.entries) {
    report += test::reportRecord("|" + e.substr(1, 10) + "|" + e.substr(11, 8) + "|" +
                                 e.substr(19, 14) + "|" + e.substr(33, 20) + "|" + e.substr(53));
  }
  EXPECT_EQ(o.folder.read("report/20261204_0930_Nuovo.txt"), report);
  const std::vector<std::string> texts = o.platform.texts();
  ASSERT_EQ(texts.size(), 4U);
  EXPECT_EQ(texts[0],
            test::reportConfirmation(6, o.folder.path(), "report\\20261204_0930_Nuovo.txt"));
  EXPECT_EQ(texts[2], "Il File delle scritture \xE8 stato Eliminato");
  o.entries.clear();
  o.logged("PC-NUOVO", "Titolare", test::kRemoved);
  EXPECT_TRUE(isHidden(dataFileName(o.folder.path(), "\\OdV")));
  EXPECT_EQ(o.folder.read("KoV"), changed);
}

}  // namespace
}  // namespace kov
