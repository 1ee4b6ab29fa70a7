#include <gtest/gtest.h>

#include <cerrno>

#include "cores/credentials/new_password.h"
#include "cores/credentials/record_io.h"
#include "cores/credentials/scramble.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/fault_plan.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::controllerFile;

const std::string kInvalid =
    "Si \xE8 verificato il seguente errore nella Sub Cripta_Decripta :\n\r"
    "5-Chiamata di routine o argomento non validi";

// A code the shift would carry out of 0..255 stops with the message and leaves nothing.
TEST(Cripta_Decripta, ShiftsEveryCharacterByTwoOrRefuses) {
  const struct {
    std::string mode, input, output, message;
  } cases[] = {{"C", "a~\xFD", "c\x80\xFF", ""},
               {"D", "c\x02", std::string("a\0", 2), ""},
               {"c", "abc", "", ""},
               {"C", "ab\xFE", "", kInvalid},
               {"D", "ab\x01", "", kInvalid}};
  for (const auto& c : cases) {
    test::FakePlatform platform;
    std::string output = "stale";
    Cripta_Decripta(platform, c.mode, c.input, output);
    EXPECT_EQ(output, c.output) << c.mode << c.input;
    EXPECT_EQ(platform.messages.empty() ? "" : platform.messages[0].text, c.message);
  }
}

// The role's records with the new password, the administrator's pending parameters first.
// Only a password record on the disk changes the password the sign-in expects, and one
// that cannot be stored never replaces the stored one. What a failed write leaves on the
// disk is FaultWalk's.
TEST(StoreNewPassword, StoresTheRolesRecordsOrKeepsTheOldPassword) {
  const std::string pending =
      test::pad("P", 20) + "1" + std::string(20, 'r') + std::string(199, 'x');
  const std::string administrator =
      test::administratorFile("PC", false, "L", "C:\\", "Admin", "vecchia1");
  const std::string controller = controllerFile("Titolare", "vecchia2");
  const struct {
    std::int16_t role;
    std::string pending, password;
    long failingWrite;  // 0: none
    std::string files;  // both, when known
  } cases[] = {
      {0, pending, "nuova-pw", 0,
       test::administratorFile("P", true, std::string(20, 'r'), std::string(199, 'x'), "Admin",
                               "nuova-pw") +
           controller},
      {0, "", "nuova-pw", 0,
       administrator.substr(0, 768) + controllerFile("Admin", "nuova-pw") + controller},
      {1, pending, "nuova-pw", 0, administrator + controllerFile("Titolare", "nuova-pw")},
      {1, "", "nuova-p\xFF", 0, administrator + controller},
      {0, pending, "nuova-pw", 1, ""},
      {0, pending, "nuova-pw", 4, ""},
      {1, "", "nuova-pw", 1, ""},
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
    storeNewPassword(platform, par, mode, c.password);
    faults::reset();
    const bool stored = platform.messages.empty();
    EXPECT_EQ(stored, c.failingWrite == 0 && c.password == "nuova-pw");
    EXPECT_EQ(par.Pw_Utenti[c.role], stored ? "nuova-pw" : c.role == 0 ? "vecchia1" : "vecchia2");
    EXPECT_EQ(par.Pw_Utenti[1 - c.role], c.role == 0 ? "vecchia2" : "vecchia1");
    EXPECT_EQ(c.files.empty() ? "" : folder.read("KoV") + folder.read("TdT"), c.files);
  }
  // Reading past the end tells 99 and leaves the text.
  test::FakePlatform platform;
  test::TempFolder folder;
  folder.write("TdT", controller);
  std::int16_t rw = 0;
  std::string text = "unchanged";
  EXPECT_TRUE(Rw_Record(platform, folder.file("TdT"), rw, 2, text));
  EXPECT_EQ(rw, 99);
  EXPECT_EQ(text, "unchanged");
}

}  // namespace
}  // namespace kov
