#include "credentials/password_button.h"

#include <gtest/gtest.h>

#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::administratorFile;
using test::controllerFile;
using test::kShort;
using test::kSpace;
using test::kWorkstation;
using test::pad;

const std::string kUser = "Occorre indicare il nome dell'utente";
const std::string kPassword = "Occorre indicare la Password";
const std::string kReportName =
    "Indicare il nome del File di Log Generato dal Titolare del Trattamento";
const std::string kReportPath =
    "Indicare il Percorso dove generare il file di log per il Titolare del Trattamento";

UserEntries entries(std::string user, std::string password, std::string workstation,
                    std::string reportName, std::string reportPath, bool restricted = false) {
  return {std::move(user), std::move(password),
          WorkstationParameters{std::move(workstation), restricted, std::move(reportName),
                                std::move(reportPath)}};
}

TEST(SetUpRefusal, TheFirstFailingCheckRefusesAndNamesItsBox) {
  const struct {
    std::int16_t settingUp;
    UserEntries entries;
    std::optional<Entry> field;  // none: accepted
    std::string message;
  } cases[] = {
      {1, entries("", "", "", "", ""), Entry::User, kUser},
      {1, entries("  ", "password1", "PC", "L", "P"), Entry::User, kUser},
      {1, entries("Admin", "  ", "", "", ""), Entry::Password, kPassword},
      {1, entries("Admin", "pass word1", "PC", "L", "P"), Entry::Password, kSpace},
      {1, entries("Admin", "pass wo", "", "", ""), Entry::Password, kSpace},  // before the length
      {1, entries("Admin", "passwor", "", "", ""), Entry::Password, kShort},
      {1, entries("Admin", "password", "", "", ""), Entry::Workstation, kWorkstation},
      {1, entries("Admin", "password", "PC", "", ""), Entry::ReportName, kReportName},
      {1, entries("Admin", "password", "PC", "L", ""), Entry::ReportPath, kReportPath},
      {1, entries("Admin", "password", "PC", "L", "P"), std::nullopt, ""},
      {1, entries("Admin", "password", " ", " ", " "), std::nullopt, ""},  // as they stand
      {2, entries("Titolare", "password", "", "", ""), std::nullopt, ""},  // no parameters
      {2, entries("Titolare", "passwor", "", "", ""), Entry::Password, kShort},
  };
  for (const auto& c : cases) {
    const auto refusal = setUpRefusal(c.settingUp, c.entries);
    const std::string trace = c.entries.user + "/" + c.entries.password + "/" +
                              c.entries.parameters.name + "/" + c.entries.parameters.reportName;
    ASSERT_EQ(refusal.has_value(), c.field.has_value()) << trace;
    if (!refusal) continue;
    EXPECT_EQ(refusal->field, *c.field) << trace;
    EXPECT_EQ(refusal->message, c.message) << trace;
  }
}

TEST(PendingParameters, LaidOutForTheThreeRecordsAndRefusedWithoutAName) {
  const WorkstationParameters parameters{"PC 7", true, "Report.log", "\\\\server\\report"};
  const std::string pending = pendingParameters(parameters);
  EXPECT_EQ(pending, "PC 7" + std::string(16, ' ') + "1" + "Report.log" + std::string(10, ' ') +
                         "\\\\server\\report");
  EXPECT_EQ(pending.size(), 41 + parameters.reportPath.size());
  EXPECT_EQ(pendingParameters({std::string(14, 'w'), false, std::string(20, 'r'), ""}),
            std::string(14, 'w') + std::string(6, ' ') + "0" + std::string(20, 'r'));
  EXPECT_FALSE(parametersRefusal(parameters).has_value());
  for (const std::string name : {"", "   "}) {
    const auto refusal = parametersRefusal({name, true, "Report.log", "C:\\"});
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->message, kWorkstation);
    EXPECT_EQ(refusal->field, Entry::Workstation);
  }
}

struct Folder {
  test::TempFolder folder;
  test::FakePlatform platform;
  Kov_Par par;

  Folder() {
    platform.folder = folder.path();
    folder.write("KoV", "");
  }
};

TEST(StoreSetUp, TheAdministratorGetsFourRecordsAndTheDataControllerOne) {
  Folder s;
  s.par.Utente_da_Attivare = 1;
  storeSetUp(s.platform, s.par,
             entries("Admin", "password1", " PC 7 ", "Log.txt", std::string(199, 'p'), true));
  EXPECT_EQ(s.folder.read("KoV"), administratorFile(" PC 7 ", true, "Log.txt",
                                                    std::string(199, 'p'), "Admin", "password1"));
  EXPECT_EQ(s.folder.names(), std::vector<std::string>{"KoV"});
  EXPECT_EQ(s.par.Modo_Record, 1);

  s.par.Utente_da_Attivare = 2;
  storeSetUp(s.platform, s.par,
             entries(std::string(20, 't'), std::string(20, 's'), "ignored", "ignored", "ignored"));
  EXPECT_EQ(s.folder.read("TdT"), test::storedRecord(std::string(20, 't') + std::string(20, 's')));
  EXPECT_EQ(s.folder.read("KoV"), administratorFile(" PC 7 ", true, "Log.txt",
                                                    std::string(199, 'p'), "Admin", "password1"));
  EXPECT_TRUE(s.platform.messages.empty());
}

}  // namespace
}  // namespace kov
