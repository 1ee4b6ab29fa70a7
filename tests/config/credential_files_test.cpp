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

struct Reader {
  test::TempFolder folder;
  test::FakePlatform platform;
  Kov_Par par;
  WorkstationParameters parameters;

  Reader() {
    platform.folder = folder.path();
    Imposta_Versione(par, folder.path());
  }
  CredentialsRead read() { return readCredentialFiles(platform, par, parameters); }
  bool hidden(const std::string& name) const { return isHidden(folder.path() + "\\" + name); }
};

// Every file read, or created when missing.
bool wholly(const CredentialsRead& read) {
  return !read.creating && !read.unreadable;
}

std::string administratorFile(const std::string& workstation, char flag, const std::string& report,
                              const std::string& path, const std::string& user,
                              const std::string& password) {
  return storedRecord(pad(workstation, 20) + flag) + storedRecord(report) + storedRecord(path) +
         storedRecord(pad(user, 20) + pad(password, 20));
}

TEST(ReadCredentialFiles, EmptyFolderCreatesTheAdministratorAndRecordingsFilesHidden) {
  Reader r;
  EXPECT_TRUE(wholly(r.read()));
  EXPECT_EQ(r.folder.names(), (std::vector<std::string>{"KoV", "Odv"}));
  EXPECT_EQ(r.folder.read("KoV"), "");
  EXPECT_EQ(r.folder.read("Odv"), "");
  EXPECT_TRUE(r.hidden("KoV"));
  EXPECT_TRUE(r.hidden("Odv"));
  EXPECT_EQ(r.par.Utenti[0], "");
  EXPECT_EQ(r.parameters.name, "");
  EXPECT_TRUE(r.platform.messages.empty());
}

TEST(ReadCredentialFiles, ExistingEntriesSurviveAMissingAdministratorFile) {
  Reader r;
  const std::string entries = storedRecord("N04/12/202609:05:03") + storedRecord("S01/12/2026");
  r.folder.write("OdV", entries);
  EXPECT_TRUE(wholly(r.read()));
  EXPECT_EQ(r.folder.names(), (std::vector<std::string>{"KoV", "OdV"}));
  EXPECT_EQ(r.folder.read("OdV"), entries);
  EXPECT_TRUE(r.hidden("OdV"));
}

TEST(ReadCredentialFiles, CompleteAdministratorFileAndNoControllerFile) {
  Reader r;
  const std::string path = "\\\\server\\report" + std::string(184, 'p');  // 199 characters
  r.folder.write("KoV", administratorFile("  PC 1  ", '1', "Log.txt", path, "Admin", "password1"));
  EXPECT_TRUE(wholly(r.read()));
  EXPECT_EQ(r.parameters.name, "PC 1");
  EXPECT_TRUE(r.parameters.restricted);
  EXPECT_EQ(r.parameters.reportName, "Log.txt");
  EXPECT_EQ(r.parameters.reportPath, path);
  EXPECT_EQ(r.parameters.reportPath.size(), 199U);
  EXPECT_EQ(r.par.Utenti[0], "Admin");
  EXPECT_EQ(r.par.Pw_Utenti[0], "password1");
  EXPECT_EQ(r.par.Utenti[1], "");
  EXPECT_EQ(r.folder.read("TdT"), "");
  EXPECT_TRUE(r.hidden("TdT"));
  EXPECT_FALSE(r.hidden("KoV"));  // nothing else touches an existing file's attributes
  EXPECT_TRUE(r.platform.messages.empty());
}

TEST(ReadCredentialFiles, BothFilesFillBothRoles) {
  Reader r;
  r.folder.write("KoV",
                 administratorFile("PC 1", '0', "Log.txt", "C:\\Report", "Admin", "pw12345678") +
                     storedRecord("a fifth line has no effect"));
  r.folder.write("TdT", storedRecord(pad("Titolare", 20) + pad("segreto99", 20)));
  EXPECT_TRUE(wholly(r.read()));
  EXPECT_FALSE(r.parameters.restricted);
  EXPECT_EQ(r.par.Utenti, (std::array<std::string, 2>{"Admin", "Titolare"}));
  EXPECT_EQ(r.par.Pw_Utenti, (std::array<std::string, 2>{"pw12345678", "segreto99"}));
  EXPECT_EQ(r.folder.names(), (std::vector<std::string>{"KoV", "TdT"}));
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
    EXPECT_TRUE(wholly(r.read()));
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

TEST(ReadCredentialFiles, DamagedFilesGiveEmptyFieldsAndNeverStop) {
  const struct {
    std::string bytes;
    std::string user;
    std::size_t messages;
  } cases[] = {
      {std::string(1024, ' '), "", 0},       // records without text
      {std::string(1024, '\0'), "", 1},      // NUL-filled: cannot unscramble
      {"garbage without line ends", "", 0},  // one short line
      {storedRecord("x") + storedRecord("y") + storedRecord("z") + "\x80\x81\x82", "~\x7F\x80", 0},
  };
  for (const auto& c : cases) {
    Reader r;
    r.folder.write("KoV", c.bytes);
    EXPECT_TRUE(wholly(r.read()));
    EXPECT_EQ(r.par.Utenti[0], c.user);
    EXPECT_EQ(r.platform.messages.size(), c.messages);
  }
}

TEST(ReadCredentialFiles, AFolderInPlaceOfAFileIsReportedAndReadingGoesOn) {
  Reader r;
  r.folder.makeFolder("KoV");
  r.folder.write("TdT", storedRecord(pad("Titolare", 20) + pad("segreto99", 20)));
  const CredentialsRead read = r.read();
  EXPECT_FALSE(read.creating);
  EXPECT_TRUE(read.unreadable);
  const std::string heading =
      "Si \xE8 verificato il seguente errore nella Sub Leggi_Parametri_KOV :\n\r";
  EXPECT_EQ(r.platform.texts(),
            (std::vector<std::string>{heading + "75-Errore di accesso al percorso/file",
                                      heading + "52-Nome o numero di file non valido"}));
  EXPECT_EQ(r.par.Utenti[1], "Titolare");
}

#ifndef _WIN32  // needs POSIX permissions or processes
TEST(ReadCredentialFiles, AFileWithoutReadPermissionIsReportedAndLeftAsItIs) {
  Reader r;
  const std::string stored = storedRecord(pad("Titolare", 20) + pad("segreto99", 20));
  r.folder.write("KoV", administratorFile("PC", '0', "Log.txt", "C:\\R", "Admin", "pw12345678"));
  r.folder.write("TdT", stored);
  r.folder.setOwnerAccess("TdT", 0);
  test::Unprivileged user(r.folder);
  const CredentialsRead read = r.read();
  EXPECT_FALSE(read.creating);
  EXPECT_TRUE(read.unreadable);
  EXPECT_EQ(r.platform.messages.size(), 2U);
  EXPECT_NE(r.platform.messages[0].text.find("70-Autorizzazione negata"), std::string::npos);
  EXPECT_EQ(r.par.Utenti[0], "Admin");
  EXPECT_EQ(r.par.Utenti[1], "");
  r.folder.setOwnerAccess("TdT", 6);
  EXPECT_EQ(r.folder.read("TdT"), stored);
}
#endif

#ifndef _WIN32  // needs POSIX permissions or processes
TEST(ReadCredentialFiles, AFolderWhereNothingCanBeCreatedPassesTheErrorUp) {
  Reader r;
  r.folder.makeReadOnly();
  test::Unprivileged user(r.folder);
  const Error error = r.read().creating;
  EXPECT_EQ(error.number, 70);
  EXPECT_EQ(error.description, "Autorizzazione negata");
  EXPECT_TRUE(r.platform.messages.empty());
}
#endif

}  // namespace
}  // namespace kov
