#include "credentials/new_password.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "shell/runtime/faults.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::administratorFile;
using test::controllerFile;
using test::kShort;
using test::kSpace;
using test::pad;

const std::string kMissing = "Occorre indicare la Password scelta";
const std::string kNoCheck = "Occorre impostare la Password di controllo";
const std::string kDiffer = "Le due PassWord non sono uguali. Impostarle di nuovo";

// Each message with the box it sends the focus to is checked in the dialog (Pw_Kov); here
// the order of the checks.
TEST(NewPasswordRefusal, TheFirstFailingCheckRefuses) {
  const struct {
    std::string newPassword;
    std::string checkPassword;
    int ok;  // 0: accepted
    std::string message;
  } cases[] = {
      {"    ", "password", 1, kMissing},
      {"pass wo", "", 1, kSpace},            // the space before the missing check
      {" password", "password", 1, kSpace},  // a space at an end counts until the box trims it
      {"passw", "   ", 2, kNoCheck},         // the check before the length
      {"passwor", "password", 1, kShort},
      {"password", "password", 0, ""},
      {"password", "  password ", 0, ""},
      {"password", "password1", 1, kDiffer},
      {std::string(20, 'p'), std::string(20, 'p'), 0, ""},
      {"p\xE0ssw\x80rd", "p\xE0ssw\x80rd", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.newPassword + "/" + c.checkPassword);
    const auto refusal = newPasswordRefusal(c.newPassword, c.checkPassword);
    ASSERT_EQ(refusal.has_value(), c.ok != 0);
    if (!refusal) continue;
    EXPECT_EQ(refusal->ok, c.ok);
    EXPECT_EQ(refusal->message, c.message);
  }
}

// The files as a user left them: both roles stored.
struct Stored {
  test::TempFolder folder;
  test::FakePlatform platform;
  Kov_Par par;
  std::int16_t mode = 0;
  const std::string administrator =
      administratorFile("PC-01", true, "Log.txt", "C:\\Report", "Admin", "vecchia1");
  const std::string controller = controllerFile("Titolare", "vecchia2");

  Stored() {
    platform.folder = folder.path();
    folder.write("KoV", administrator);
    folder.write("TdT", controller);
    par.Utenti = {"Admin", "Titolare"};
    par.Pw_Utenti = {"vecchia1", "vecchia2"};
  }
  void store(std::int16_t role, const std::string& password) {
    par.Tipo_Utente = role;
    storeNewPassword(platform, par, mode, password);
  }
};

// The reading of such records is ReadCredentialFiles'.
TEST(StoreNewPassword, PendingParametersBecomeRecords1To3) {
  const struct {
    std::string workstation;
    bool restricted;
    std::string reportName;
    std::string reportPath;
  } cases[] = {
      {"PC 7 sala", true, "Report.log", "\\\\server\\report"},
      {"P", false, std::string(20, 'r'), std::string(199, 'x')},
      {std::string(14, 'w'), true, "r", ""},
  };
  for (const auto& c : cases) {
    Stored s;
    s.par.Parametri_Postazione =
        pad(c.workstation, 20) + (c.restricted ? "1" : "0") + pad(c.reportName, 20) + c.reportPath;
    s.store(0, "nuova-pw1");
    EXPECT_EQ(s.folder.read("KoV"), administratorFile(c.workstation, c.restricted, c.reportName,
                                                      c.reportPath, "Admin", "nuova-pw1"))
        << c.workstation;
    EXPECT_EQ(s.folder.read("TdT"), s.controller);
    EXPECT_TRUE(s.platform.messages.empty());
  }
}

// Only a password record on the disk changes the password the sign-in expects. Which
// records reach the disk when one fails, and the messages, are FaultWalk's.
TEST(StoreNewPassword, AFailedStoreKeepsTheOldPassword) {
  for (long failing = 1; failing <= 4; ++failing) {
    Stored s;
    s.par.Parametri_Postazione = pad("PC-02", 20) + "0" + pad("Nuovo.log", 20) + "D:\\Log";
    faults::reset();
    faults::failAt(faults::Op::Write, failing, EIO);
    s.store(0, "nuova-pw1");
    faults::reset();
    EXPECT_EQ(s.platform.messages.size(), 1U) << failing;
    EXPECT_EQ(s.par.Pw_Utenti[0], "vecchia1") << failing;
  }

  Stored s;
  s.platform.folder = s.folder.path() + "\\manca";
  s.store(1, "nuova-pw2");
  const std::string heading = "Si \xE8 verificato il seguente errore nella Sub Rw_Record :\n\r";
  EXPECT_EQ(s.platform.texts(),
            (std::vector<std::string>{heading + "76-Impossibile trovare il percorso",
                                      heading + "52-Nome o numero di file non valido"}));
  EXPECT_EQ(s.folder.names(), (std::vector<std::string>{"KoV", "TdT"}));
  EXPECT_EQ(s.folder.read("TdT"), s.controller);
  EXPECT_EQ(s.par.Pw_Utenti[1], "vecchia2");
}

}  // namespace
}  // namespace kov
