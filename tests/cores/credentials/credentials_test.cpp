#include <gtest/gtest.h>

#include <cerrno>

#include "cores/credentials/new_password.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/fault_plan.h"
#include "support/tables.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::controllerFile, test::pad, test::storedRecord;

// The role's records with the new password, the administrator's pending parameters first;
// a password that cannot be stored never replaces the one the sign-in expects.
TEST(StoreNewPassword, StoresTheRolesRecordsOrKeepsTheOldPassword) {
  const std::string pending = pad("P", 20) + "1" + std::string(20, 'r') + std::string(199, 'x');
  const std::string parameters = storedRecord(pending.substr(0, 21)) +
                                 storedRecord(pending.substr(21, 20)) +
                                 storedRecord(pending.substr(41));
  const std::string administrator =
      test::administratorFile("PC", false, "L", "C:\\", "Admin", "vecchia1");
  const std::string controller = controllerFile("Titolare", "vecchia2");
  const struct {
    const char* name;
    std::int16_t role = 0;
    std::string pending{}, password = "nuova-pw";
    long failingWrite = 0;  // none
    // What the sign-in expects then, and both files.
    std::string passwords = "vecchia1|vecchia2", files{};
  } cases[] = {
      {
          .name = "AdministratorWithParameters",
          .pending = pending,
          .passwords = "nuova-pw|vecchia2",
          .files = parameters + controllerFile("Admin", "nuova-pw") + controller,
      },
      {
          .name = "ControllerWithParametersLeftOver",
          .role = 1,
          .pending = pending,
          .passwords = "vecchia1|nuova-pw",
          .files = administrator + controllerFile("Titolare", "nuova-pw"),
      },
      {
          .name = "PasswordTheShiftCannotStore",
          .role = 1,
          .password = "nuova-p\xFF",
          .files = administrator + controller,
      },
      {
          .name = "FirstParameterNotWritten",
          .pending = pending,
          .failingWrite = 1,
          .files = administrator + controller,
      },
      {
          .name = "PasswordNotWritten",
          .pending = pending,
          .failingWrite = 4,
          .files = parameters + controllerFile("Admin", "vecchia1") + controller,
      },
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
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
    {
      test::FaultPlan plan;
      if (c.failingWrite != 0) plan.failAt(faults::Op::Write, c.failingWrite, EIO);
      storeNewPassword(platform, par, mode, c.password);
    }
    EXPECT_EQ(platform.messages.empty(), c.failingWrite == 0 && c.password == "nuova-pw");
    EXPECT_EQ(par.Pw_Utenti[0] + "|" + par.Pw_Utenti[1], c.passwords);
    EXPECT_RECORDS(folder.read("KoV") + folder.read("TdT"), c.files);
  }
}

}  // namespace
}  // namespace kov
