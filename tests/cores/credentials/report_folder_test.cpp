#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>

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
  std::string typed{};  // inside the program folder, "\" between folders
  bool yes = true;      // the answer to the question
  bool asked = true;
  std::string made{};     // the folder there afterwards, "/" between folders; none: nothing new
  std::string failure{};  // why it could not be created
};

void expectSave(const FolderCase& c) {
  test::TempFolder folder;
  test::FakePlatform platform;
  platform.folder = folder.path();
  platform.answer = c.yes;
  folder.makeFolder("dati");
  folder.makeFolder("chiusa");
  folder.setOwnerAccess("chiusa", 5);
  const std::string path = folder.path() + "\\" + c.typed;
  const mode_t umask = ::umask(077);
  {
    const test::Unprivileged user(folder);
    Kov_Par par;
    const WorkstationParameters parameters{"PC-01", false, "Log.txt", path};
    par.Utente_da_Attivare = c.save == Save::SetUp ? 1 : 0;
    par.Utenti[0] = "Admin";
    par.Parametri_Postazione = pendingParameters(parameters);
    std::int16_t mode = 0;
    if (c.save == Save::Change) storeNewPassword(platform, par, mode, "password1");
    EXPECT_TRUE(c.save == Save::Change ||
                storeSetUp(platform, par, {"Admin", "password1", parameters}));
  }
  ::umask(umask);
  EXPECT_EQ(platform.asked.size(), c.asked ? 1U : 0U);
  for (const auto& [after, asked] : platform.asked) {
    EXPECT_EQ(asked.text, "La cartella dei report " + path +
                              " non esiste.\n\rCrearla adesso? Con No i parametri vengono salvati "
                              "ugualmente, ma i report non potranno essere generati finch\xE9 la "
                              "cartella non esiste.");
  }
  EXPECT_EQ(platform.texts(),
            std::vector<std::string>(!c.failure.empty(),
                                     "Non \xE8 stato possibile creare la cartella dei report " +
                                         path + ":\n\r" + c.failure +
                                         "\n\rI parametri vengono salvati ugualmente."));
  // Nothing appears but the folder made, for owner and group only as the one it is in.
  std::set<std::string> names{"KoV", "chiusa", "dati"};
  if (!c.made.empty()) names.insert(c.made.substr(0, c.made.find('/')));
  const std::vector<std::string> there = folder.names();
  EXPECT_EQ(std::set<std::string>(there.begin(), there.end()), names);
#ifndef _WIN32  // a folder of Windows has no such permissions
  if (!c.made.empty()) {
    const fs::path made = folder.file(c.made);
    for (const fs::path& created : {made, made.parent_path()})
      EXPECT_EQ(fs::status(created).permissions() & fs::perms::all, static_cast<fs::perms>(0770));
  }
#endif
  EXPECT_EQ(folder.read("KoV"),
            test::administratorFile("PC-01", false, "Log.txt", path, "Admin", "password1"));
}

// A report folder that does not exist is offered when the parameters are saved, at the first
// set-up or with a password change; Yes creates it with the folders on the way, for owner and
// group only whatever the umask; the parameters are saved whatever the answer.
TEST(ReportFolder, AMissingOneIsOfferedAndTheParametersAreSavedAnyway) {
  std::vector<FolderCase> rows = {
      {.name = "SetUpYes", .typed = "report\\mensili", .made = "report/mensili"},
      {.name = "SetUpNo", .typed = "report\\mensili", .yes = false},
      {.name = "SetUpExisting", .typed = "dati", .asked = false},
      {.name = "ChangeYesCaps", .save = Save::Change, .typed = "DATI\\a\\b", .made = "dati/a/b"},
      {.name = "ChangeNo", .save = Save::Change, .typed = "nuova", .yes = false},
  };
#ifndef _WIN32  // a folder Windows lets the user read only still takes new folders
  rows.push_back({.name = "ReadOnly", .typed = "chiusa\\r", .failure = "70-Autorizzazione negata"});
#endif
  for (const FolderCase& row : rows) {
    SCOPED_TRACE(row.name);
    expectSave(row);
  }
}

}  // namespace
}  // namespace kov
