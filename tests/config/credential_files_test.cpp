#include "config/credential_files.h"

#include <gtest/gtest.h>

#include "shell/runtime/file.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::pad;
using test::storedRecord;

// The faults the start-up meets and its messages are checked through the window (StartUp,
// RealFaults, FaultWalk, DamagedFiles); here the fields each shape of the files gives.
TEST(ReadCredentialFiles, EachShapeGivesItsFields) {
  const std::string path = "\\\\server\\report" + std::string(184, 'p');  // 199 characters
  const std::string digit7 =
      "Si \xE8 verificato il seguente errore nella Sub Leggi_Parametri_KOV "
      ":\n\r380-Valore della propriet\xE0 non valido";
  const struct {
    std::string administrator;
    WorkstationParameters parameters;
    std::string user, password, message;
  } cases[] = {
      {test::administratorFile("  PC 1  ", true, "Log.txt", path, "Admin", "password1") +
           storedRecord("a fifth line has no effect"),
       {"PC 1", true, "Log.txt", path},
       "Admin",
       "password1",
       ""},
      {storedRecord(pad("PC", 20) + "0"), {"PC", false, "", ""}, "", "", ""},
      {storedRecord("PC"), {"PC", false, "", ""}, "", "", ""},
      {storedRecord(pad("PC", 20) + "/"), {"PC", false, "", ""}, "", "", ""},
      {storedRecord(pad("PC", 20) + "x"), {"PC", false, "", ""}, "", "", ""},
      {storedRecord(pad("PC", 20) + "7"), {"PC", false, "", ""}, "", "", digit7},
      {std::string(1024, ' '), {"", false, "", ""}, "", "", ""},  // records without text
      {storedRecord("x") + storedRecord("y") + storedRecord("z") + "\x80\x81\x82",
       {"x", false, "y", "z"},
       "~\x7F\x80",
       "",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.parameters.name);
    test::TempFolder folder;
    test::FakePlatform platform;
    platform.folder = folder.path();
    folder.write("KoV", c.administrator);
    folder.write("TdT", test::controllerFile("Titolare", "segreto99"));
    Kov_Par par;
    Imposta_Versione(par, folder.path());
    WorkstationParameters read;
    EXPECT_FALSE(readCredentialFiles(platform, par, read).unreadable);
    EXPECT_EQ(read.name, c.parameters.name);
    EXPECT_EQ(read.restricted, c.parameters.restricted);
    EXPECT_EQ(read.reportName, c.parameters.reportName);
    EXPECT_EQ(read.reportPath, c.parameters.reportPath);
    EXPECT_EQ(par.Utenti, (std::array<std::string, 2>{c.user, "Titolare"}));
    EXPECT_EQ(par.Pw_Utenti, (std::array<std::string, 2>{c.password, "segreto99"}));
    EXPECT_EQ(platform.texts(),
              c.message.empty() ? std::vector<std::string>{} : std::vector{c.message});
  }
}

TEST(ReadCredentialFiles, ExistingEntriesSurviveAMissingAdministratorFile) {
  test::TempFolder folder;
  test::FakePlatform platform;
  platform.folder = folder.path();
  const std::string entries = storedRecord("N04/12/202609:05:03") + storedRecord("S01/12/2026");
  folder.write("OdV", entries);
  Kov_Par par;
  Imposta_Versione(par, folder.path());
  WorkstationParameters read;
  EXPECT_FALSE(readCredentialFiles(platform, par, read).creating);
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"KoV", "OdV"}));
  EXPECT_EQ(folder.read("OdV"), entries);
  EXPECT_TRUE(isHidden(dataFileName(folder.path(), "\\OdV")));
}

}  // namespace
}  // namespace kov
