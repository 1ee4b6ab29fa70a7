#include "credentials/password_button.h"

#include <gtest/gtest.h>

#include "support/expected.h"

namespace kov {
namespace {

using test::kShort;
using test::kSpace;
using test::kWorkstation;

const std::string kUser = "Occorre indicare il nome dell'utente";

UserEntries entries(std::string user, std::string password, std::string workstation,
                    std::string reportName, std::string reportPath) {
  return {std::move(user), std::move(password),
          WorkstationParameters{std::move(workstation), false, std::move(reportName),
                                std::move(reportPath)}};
}

// Each missing entry's message and the box it sends the focus to are checked in the window
// (FirstSetUp, BadInput); here the order of the checks and the roles' differences.
TEST(SetUpRefusal, TheFirstFailingCheckRefusesAndNamesItsBox) {
  const struct {
    std::int16_t settingUp;
    UserEntries entries;
    std::optional<Entry> field;  // none: accepted
    std::string message;
  } cases[] = {
      {1, entries("  ", "password1", "PC", "L", "P"), Entry::User, kUser},
      {1, entries("Admin", "pass word1", "PC", "L", "P"), Entry::Password, kSpace},
      {1, entries("Admin", "pass wo", "", "", ""), Entry::Password, kSpace},  // before the length
      {1, entries("Admin", "passwor", "", "", ""), Entry::Password, kShort},
      {1, entries("Admin", "password", "", "", ""), Entry::Workstation, kWorkstation},
      {1, entries("Admin", "password", " ", " ", " "), std::nullopt, ""},  // as they stand
      {2, entries("Titolare", "password", "", "", ""), std::nullopt, ""},  // no parameters
      {2, entries("Titolare", "passwor", "", "", ""), Entry::Password, kShort},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entries.user + "/" + c.entries.password + "/" + c.entries.parameters.name);
    const auto refusal = setUpRefusal(c.settingUp, c.entries);
    ASSERT_EQ(refusal.has_value(), c.field.has_value());
    if (!refusal) continue;
    EXPECT_EQ(refusal->field, *c.field);
    EXPECT_EQ(refusal->message, c.message);
  }
}

// The layout of usual parameters is checked in the window (PasswordChange); here the widest.
TEST(PendingParameters, LaidOutForTheThreeRecordsAndRefusedWithoutAName) {
  EXPECT_EQ(pendingParameters({std::string(14, 'w'), false, std::string(20, 'r'), ""}),
            std::string(14, 'w') + std::string(6, ' ') + "0" + std::string(20, 'r'));
  EXPECT_FALSE(parametersRefusal({"PC 7", true, "Report.log", "C:\\"}).has_value());
  for (const std::string name : {"", "   "}) {
    const auto refusal = parametersRefusal({name, true, "Report.log", "C:\\"});
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->message, kWorkstation);
    EXPECT_EQ(refusal->field, Entry::Workstation);
  }
}

}  // namespace
}  // namespace kov
