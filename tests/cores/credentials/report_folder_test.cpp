#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "cores/credentials/new_password.h"
#include "cores/credentials/password_button.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

enum class Save { SetUp, Change };

struct FolderCase {
  const char* name = "";
  Save save = Save::SetUp;
  std::string typed{};   // inside the program folder, "\" between folders
  std::string native{};  // where it is on this system, "/" between folders
  bool yes = true;       // the answer to the question
  bool asked = true;
  bool there = true;      // a folder afterwards
  std::string failure{};  // the reason of a folder that could not be created
};

void PrintTo(const FolderCase& c, std::ostream* out) {
  *out << c.name;
}

class ReportFolder : public testing::TestWithParam<FolderCase> {};

// A report folder that does not exist is offered when the parameters are saved, at the first
// set-up or with a password change; Yes creates it with the folders on the way, for owner and
// group only whatever the umask; the parameters are saved whatever the answer.
TEST_P(ReportFolder, AMissingOneIsOfferedAndTheParametersAreSavedAnyway) {
  const FolderCase& c = GetParam();
  test::TempFolder folder;
  test::FakePlatform platform;
  platform.folder = folder.path();
  platform.answer = c.yes;
  folder.makeFolder("esistente");
  folder.makeFolder("sola-lettura");
  folder.setOwnerAccess("sola-lettura", 5);
  const std::string path = folder.path() + "\\" + c.typed;
  const mode_t umask = ::umask(077);
  {
    const test::Unprivileged user(folder);
    Kov_Par par;
    const WorkstationParameters parameters{"PC-01", false, "Log.txt", path};
    if (c.save == Save::SetUp) {
      par.Utente_da_Attivare = 1;
      EXPECT_TRUE(storeSetUp(platform, par, {"Admin", "password1", parameters}));
    } else {
      par.Utenti[0] = "Admin";
      par.Parametri_Postazione = pendingParameters(parameters);
      std::int16_t mode = 0;
      storeNewPassword(platform, par, mode, "password1");
    }
  }
  ::umask(umask);
  ASSERT_EQ(platform.asked.size(), c.asked ? 1U : 0U);
  if (c.asked) {
    EXPECT_EQ(platform.asked[0].second.text,
              "La cartella dei report " + path +
                  " non esiste.\n\rCrearla adesso? Con No i parametri vengono salvati "
                  "ugualmente, ma i report non potranno essere generati finch\xE9 la cartella "
                  "non esiste.");
  }
  EXPECT_EQ(platform.texts(),
            std::vector<std::string>(!c.failure.empty(),
                                     "Non \xE8 stato possibile creare la cartella dei report " +
                                         path + ":\n\r" + c.failure +
                                         "\n\rI parametri vengono salvati ugualmente."));
  const fs::path made = folder.file(c.native);
  EXPECT_EQ(fs::is_directory(made), c.there);
  if (c.there && c.asked) {
    EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, static_cast<fs::perms>(0770));
    EXPECT_EQ(fs::status(made.parent_path()).permissions() & fs::perms::all,
              static_cast<fs::perms>(0770));
  }
  EXPECT_EQ(folder.read("KoV"),
            test::administratorFile("PC-01", false, "Log.txt", path, "Admin", "password1"));
}

INSTANTIATE_TEST_SUITE_P(
    Saves, ReportFolder,
    testing::Values(
        FolderCase{.name = "SetUpYes", .typed = "report\\mensili", .native = "report/mensili"},
        FolderCase{.name = "SetUpNo",
                   .typed = "report\\mensili",
                   .native = "report",
                   .yes = false,
                   .there = false},
        FolderCase{
            .name = "SetUpExisting", .typed = "esistente", .native = "esistente", .asked = false},
        FolderCase{.name = "ChangeYesInAnotherLetterCase",
                   .save = Save::Change,
                   .typed = "ESISTENTE\\Nuova\\Mensili",
                   .native = "esistente/Nuova/Mensili"},
        FolderCase{.name = "ChangeNo",
                   .save = Save::Change,
                   .typed = "nuova",
                   .native = "nuova",
                   .yes = false,
                   .there = false},
        FolderCase{.name = "CannotBeCreated",
                   .typed = "sola-lettura\\report",
                   .native = "sola-lettura/report",
                   .there = false,
                   .failure = "70-Autorizzazione negata"}),
    [](const testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kov
