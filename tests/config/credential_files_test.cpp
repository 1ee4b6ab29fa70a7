#include "config/credential_files.h"

#include <gtest/gtest.h>

#include "shell/runtime/file.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::administratorFile;
using test::pad;
using test::storedRecord;

// The files the start-up creates, the messages of the faults it meets and its reading of
// unreadable files are checked through the window (StartUp, RealFaults, FaultWalk); here
// the fields that reading gives.
struct Reader {
  test::TempFolder folder;
  test::FakePlatform platform;
  Kov_Par par;
  WorkstationParameters parameters;

  Reader() {
    platform.folder = folder.path();
    Imposta_Versione(par, folder.path());
  }
  // Every file read, or created when missing.
  void read() {
    const CredentialsRead read = readCredentialFiles(platform, par, parameters);
    EXPECT_FALSE(read.creating);
    EXPECT_FALSE(read.unreadable);
  }
};

TEST(ReadCredentialFiles, ExistingEntriesSurviveAMissingAdministratorFile) {
  Reader r;
  const std::string entries = storedRecord("N04/12/202609:05:03") + storedRecord("S01/12/2026");
  r.folder.write("OdV", entries);
  Imposta_Versione(r.par, r.folder.path());  // start-up names the file it finds
  r.read();
  EXPECT_EQ(r.folder.names(), (std::vector<std::string>{"KoV", "OdV"}));
  EXPECT_EQ(r.folder.read("OdV"), entries);
  EXPECT_TRUE(isHidden(dataFileName(r.folder.path(), "\\OdV")));
}

TEST(ReadCredentialFiles, BothFilesFillTheFieldsAndAFifthLineHasNoEffect) {
  Reader r;
  const std::string path = "\\\\server\\report" + std::string(184, 'p');  // 199 characters
  r.folder.write("KoV", administratorFile("  PC 1  ", true, "Log.txt", path, "Admin", "password1") +
                            storedRecord("a fifth line has no effect"));
  r.folder.write("TdT", test::controllerFile("Titolare", "segreto99"));
  r.read();
  EXPECT_EQ(r.parameters.name, "PC 1");
  EXPECT_TRUE(r.parameters.restricted);
  EXPECT_EQ(r.parameters.reportName, "Log.txt");
  EXPECT_EQ(r.parameters.reportPath, path);
  EXPECT_EQ(r.par.Utenti, (std::array<std::string, 2>{"Admin", "Titolare"}));
  EXPECT_EQ(r.par.Pw_Utenti, (std::array<std::string, 2>{"password1", "segreto99"}));
  EXPECT_TRUE(r.platform.messages.empty());
}

TEST(ReadCredentialFiles, RestrictedAccessFlagOfEveryShape) {
  const struct {
    std::string record1;
    bool restricted;
    std::size_t messages;
  } cases[] = {
      {pad("PC", 20) + "1", true, 0},  {pad("PC", 20) + "0", false, 0},
      {pad("PC", 20), false, 0},       {"PC", false, 0},
      {pad("PC", 20) + "x", false, 0}, {pad("PC", 20) + "7", false, 1},
  };
  for (const auto& c : cases) {
    Reader r;
    r.folder.write("KoV", storedRecord(c.record1));
    r.read();
    EXPECT_EQ(r.parameters.restricted, c.restricted) << c.record1;
    EXPECT_EQ(r.parameters.name, "PC");
    ASSERT_EQ(r.platform.messages.size(), c.messages) << c.record1;
    if (c.messages == 1) {
      EXPECT_EQ(r.platform.messages[0].text,
                "Si \xE8 verificato il seguente errore nella Sub Leggi_Parametri_KOV :\n\r"
                "380-Valore della propriet\xE0 non valido");
    }
  }
}

// A record of NULs is DamagedFiles' (with its message); these shapes show none.
TEST(ReadCredentialFiles, DamagedFilesGiveTheirFieldsWithoutAMessage) {
  const struct {
    std::string bytes;
    std::string user;
  } cases[] = {
      {std::string(1024, ' '), ""},       // records without text
      {"garbage without line ends", ""},  // one short line
      {storedRecord("x") + storedRecord("y") + storedRecord("z") + "\x80\x81\x82", "~\x7F\x80"},
  };
  for (const auto& c : cases) {
    Reader r;
    r.folder.write("KoV", c.bytes);
    r.read();
    EXPECT_EQ(r.par.Utenti[0], c.user);
    EXPECT_TRUE(r.platform.messages.empty());
  }
}

}  // namespace
}  // namespace kov
