// The whole program from an empty program folder: both first set-ups, entries, a password
// change with new parameters, the report with removal, and a start with restricted access.
// After every step each file is compared byte for byte with records built here.
#include <gtest/gtest.h>

#include "credentials/pw_kov.h"
#include "report/report_files.h"
#include "shell/runtime/file.h"
#include "support/modes.h"

namespace kov {
namespace {

using test::administratorFile;
using test::controllerFile;
using test::kBackup;
using test::kRemoved;
using test::pad;
using test::storedRecord;

const std::string kRestore = "Eseguito ripristo del Data Base come da verbale del 04/12/2026";
const std::string kNetwork =
    "Verificato e aggiornato elenco delle credenziali di accesso alla Rete";

// One program folder through four runs of the program.
struct Office : test::Window {
  std::string reportFolder;
  std::vector<std::string> entries;  // plain texts of the entries written, in order

  Office() {
    folder.makeFolder("report");
    reportFolder = folder.path() + "\\report";
  }

  // A new run of the program on the same folder, at a moment of 04/12/2026.
  void run(int hour, int minute) {
    window.reset();
    par = Kov_Par{};
    platform.messages.clear();
    at(hour, minute);
    show();
  }
  void at(int hour, int minute) { platform.clock = {2026, 12, 4, hour, minute, 0}; }

  // The entry the log writer makes now, remembered in the order of the file.
  std::string logged(const std::string& workstation, const std::string& account,
                     const std::string& description) {
    const DateTime& t = platform.clock;
    const std::string time = (t.hour < 10 ? "0" : "") + std::to_string(t.hour) + ":" +
                             (t.minute < 10 ? "0" : "") + std::to_string(t.minute) + ":00";
    entries.push_back("N04/12/2026" + time + pad(workstation, 14) + pad(account, 20) + description);
    return entries.back();
  }
  std::string storedEntries() const {
    std::string bytes;
    for (const std::string& entry : entries) bytes += storedRecord(entry);
    return bytes;
  }
  void saveEntry(const char* option) {
    click(option);
    click("Cmd_Op");
  }
};

TEST(EndToEnd, FromAnEmptyFolderToAReportAndARestrictedStart) {
  Office o;

  // Run 1: the administrator and the workstation parameters are set up.
  o.run(9, 0);
  test::expectMode(o, test::kAdministratorSetUp);
  o.type("Utente", "Admin");
  o.tab("Utente");
  QTest::keyClicks(o.box("Pw"), "password1");
  o.retype("Opz_KOV_1", "PC-UFFICIO");
  o.retype("Opz_KOV_2", "Report.txt");
  o.retype("Opz_KOV_3", QString::fromStdString(o.reportFolder));
  o.click("Cmd_VPw");
  o.logged("PC-UFFICIO", "Admin", "Attivato l'Utente nella Procedura");
  EXPECT_FALSE(o.window->isVisible());
  EXPECT_EQ(o.folder.read("KoV"), administratorFile("PC-UFFICIO", false, "Report.txt",
                                                    o.reportFolder, "Admin", "password1"));
  EXPECT_FALSE(o.folder.exists("TdT"));
  EXPECT_EQ(o.recordings(), o.storedEntries());
  const std::string administrator = o.folder.read("KoV");

  // Run 2: the data controller is set up.
  o.run(9, 10);
  test::expectMode(o, test::kControllerSetUp);
  o.type("Utente", "Titolare");
  o.tab("Utente");
  QTest::keyClicks(o.box("Pw"), "segreto99");
  o.click("Cmd_VPw");
  o.logged("PC-UFFICIO", "Titolare", "Attivato l'Utente nella Procedura");
  EXPECT_FALSE(o.window->isVisible());
  EXPECT_EQ(o.folder.read("TdT"), controllerFile("Titolare", "segreto99"));
  EXPECT_EQ(o.folder.read("KoV"), administrator);
  EXPECT_EQ(o.recordings(), o.storedEntries());

  // Run 3: three entries, one of each planned operation.
  o.run(9, 20);
  test::expectMode(o, test::kRoleChoice);
  EXPECT_EQ(o.find<QLabel>("N_Accessi")->text(), "2");
  o.signIn(0, "Admin", "password1");
  o.click("Cmd_Op");  // the backup check is proposed at sign-in
  o.logged("PC-UFFICIO", "Admin", kBackup);
  o.unlock("password1");
  o.saveEntry("Op_Pi_1");
  o.logged("PC-UFFICIO", "Admin", kRestore);
  o.unlock("password1");
  o.saveEntry("Op_Pi_2");
  o.logged("PC-UFFICIO", "Admin", kNetwork);
  EXPECT_EQ(o.recordings(), o.storedEntries());
  EXPECT_EQ(o.find<QLabel>("N_Accessi")->text(), "5");

  // The password changes, and with it the parameters, restricted access now ticked.
  o.at(9, 25);
  o.unlock("password1");
  o.click("Var_Par");
  o.retype("Opz_KOV_1", "PC-NUOVO");
  o.retype("Opz_KOV_2", "Nuovo.txt");
  o.click("Acc_Ris");
  o.whileDialogOpen = [](const Pw_Kov& dialog) { test::confirmPassword(dialog, "nuovapass1"); };
  o.click("Cmd_VPw");
  EXPECT_EQ(o.dialogsShown, 1);
  o.logged("PC-NUOVO", "Admin", "Variato la Password dell'utente");
  EXPECT_EQ(o.folder.read("KoV"), administratorFile("PC-NUOVO", true, "Nuovo.txt", o.reportFolder,
                                                    "Admin", "nuovapass1"));
  EXPECT_EQ(o.folder.read("TdT"), controllerFile("Titolare", "segreto99"));
  EXPECT_EQ(o.recordings(), o.storedEntries());
  test::Mode signedOut = test::kRoleChoice;  // signed out, the password button kept
  signedOut.name = "signed out after the password change";
  signedOut.passwordButtonEnabled = true;
  test::expectMode(o, signedOut);
  o.unlock("nuovapass1");
  test::expectMode(o, test::kAdministratorSignedIn);

  // The data controller reports the day and removes the recordings file.
  o.at(9, 30);
  o.signIn(1, "Titolare", "segreto99");
  o.period("04122026", "04122026");
  o.click("Rimuovi");
  o.platform.messages.clear();
  o.click("Cmd_Gp");
  const std::string reportName = "report\\20261204_0930_Nuovo.txt";
  std::string report = test::kHeadingRecord;
  for (const std::string& entry : o.entries) {
    report += test::reportRecord("|" + entry.substr(1, 10) + "|" + entry.substr(11, 8) + "|" +
                                 entry.substr(19, 14) + "|" + entry.substr(33, 20) + "|" +
                                 entry.substr(53));
  }
  EXPECT_EQ(o.folder.read("report/20261204_0930_Nuovo.txt"), report);
  std::vector<std::string> texts = o.platform.texts();
  ASSERT_GE(texts.size(), 3U);
  EXPECT_EQ(texts[0],
            "Sono state rilevate n.  6 scritture in " + o.folder.path() + "\\" + reportName);
  EXPECT_EQ(texts[2], "Il File delle scritture \xE8 stato Eliminato");
  o.entries.clear();
  o.logged("PC-NUOVO", "Titolare", kRemoved);
  EXPECT_EQ(o.recordings(), o.storedEntries());
  EXPECT_TRUE(isHidden(dataFileName(o.folder.path(), "\\OdV")));
  EXPECT_EQ(o.folder.read("KoV"), administratorFile("PC-NUOVO", true, "Nuovo.txt", o.reportFolder,
                                                    "Admin", "nuovapass1"));

  // Run 4: restricted access lets in the administrator's operating-system account alone.
  o.platform.user = "ADMIN";
  o.run(10, 0);
  test::expectMode(o, test::kRoleChoice);
  o.window.reset();
  o.par = Kov_Par{};
  o.platform.user = "mario.rossi";
  o.window = std::make_unique<KOV>(o.par, o.platform);
  EXPECT_FALSE(o.window->Form_Load());
  EXPECT_EQ(o.platform.beeps, 1);
}

}  // namespace
}  // namespace kov
