#include <gtest/gtest.h>

#include <cerrno>

#include "credentials/credential_record.h"
#include "credentials/new_password.h"
#include "credentials/record_io.h"
#include "credentials/scramble.h"
#include "shell/runtime/faults.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::controllerFile;
using test::pad;

const std::string kInvalid =
    "Si \xE8 verificato il seguente errore nella Sub Cripta_Decripta :\n\r"
    "5-Chiamata di routine o argomento non validi";

// A code the shift would carry out of 0..255 stops with the message and leaves nothing.
TEST(Cripta_Decripta, ShiftsEveryCharacterByTwoOrRefuses) {
  const struct {
    std::string mode, input, output;
    bool refused;
  } cases[] = {{"C", "a~", "c\x80", false},  {"D", "c\x02", std::string("a\0", 2), false},
               {"C", "\xFD", "\xFF", false}, {"c", "abc", "", false},
               {"X", "abc", "", false},      {"C", "abc\xFE", "", true},
               {"D", "ab\x01", "", true}};
  for (const auto& c : cases) {
    test::FakePlatform platform;
    std::string output = "stale";
    Cripta_Decripta(platform, c.mode, c.input, output);
    EXPECT_EQ(output, c.output) << c.mode << c.input;
    EXPECT_EQ(platform.texts(), c.refused ? std::vector{kInvalid} : std::vector<std::string>{});
  }
}

// The role's records with the new password, the administrator's pending parameters first;
// only a password record on the disk changes the password the sign-in expects. What a
// failed write leaves on the disk is FaultWalk's.
TEST(StoreNewPassword, StoresTheRolesRecordsOrKeepsTheOldPassword) {
  const std::string pending = pad("P", 20) + "1" + std::string(20, 'r') + std::string(199, 'x');
  const std::string administrator =
      test::administratorFile("PC", false, "L", "C:\\", "Admin", "vecchia1");
  const std::string controller = controllerFile("Titolare", "vecchia2");
  const struct {
    std::int16_t role;
    std::string pending;
    long failingWrite;  // 0: none
    std::string files;  // both, when none fails
  } cases[] = {
      {0, pending, 0,
       test::administratorFile("P", true, std::string(20, 'r'), std::string(199, 'x'), "Admin",
                               "nuova-pw") +
           controller},
      {0, "", 0, administrator.substr(0, 768) + controllerFile("Admin", "nuova-pw") + controller},
      {1, pending, 0, administrator + controllerFile("Titolare", "nuova-pw")},
      {0, pending, 1, ""},
      {0, pending, 4, ""},
      {1, "", 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failingWrite);
    test::TempFolder folder;
    test::FakePlatform platform;
    platform.folder = folder.path();
    folder.write("KoV", administrator);
    folder.write("TdT", controller);
    Kov_Par par;
    par.Utenti = {"Admin", "Titolare"};
    par.Pw_Utenti = {"vecchia1", "vecchia2"};
    par.Tipo_Utente = c.role;
    par.Parametri_Postazione = c.pending;
    std::int16_t mode = 0;
    faults::reset();
    if (c.failingWrite != 0) faults::failAt(faults::Op::Write, c.failingWrite, EIO);
    storeNewPassword(platform, par, mode, "nuova-pw");
    faults::reset();
    std::array<std::string, 2> passwords = {"vecchia1", "vecchia2"};
    if (c.failingWrite == 0) passwords[c.role] = "nuova-pw";
    EXPECT_EQ(par.Pw_Utenti, passwords);
    EXPECT_EQ(platform.messages.size(), c.failingWrite != 0 ? 1U : 0U);
    EXPECT_EQ(c.failingWrite == 0 ? folder.read("KoV") + folder.read("TdT") : "", c.files);
  }
}

TEST(CredentialRecord, NothingUnreadableReplacesAStoredRecord) {
  test::TempFolder folder;
  test::FakePlatform platform;
  const std::string stored = controllerFile("titolare", "segreto1");
  folder.write("TdT", stored);
  std::int16_t rw = 0;
  std::string text = "unchanged";
  Rw_Record(platform, folder.file("TdT"), rw, 2, text);  // past the end
  EXPECT_EQ(rw, 99);
  EXPECT_EQ(text, "unchanged");
  Kov_Par par;
  par.File_Record = folder.file("TdT");
  EXPECT_FALSE(storeFieldText(platform, par, rw, 1, userFieldText("titolare", "segreto\xFF")));
  EXPECT_EQ(folder.read("TdT"), stored);
  EXPECT_EQ(platform.texts(), std::vector{kInvalid});
}

}  // namespace
}  // namespace kov
