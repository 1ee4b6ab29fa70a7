// Each state of the program folder at start-up: the messages, whether the window opens (in the
// middle of the screen), the parameters its boxes show, and every file left as it was. A
// credential file that cannot be read ends the start: a set-up would overwrite it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "support/report_files.h"
#include "support/tables.h"
#include "support/window.h"

namespace kov {
namespace {

using test::pad, test::storedRecord, test::trappedText;

enum class Fault { None, ReadOnly, TwoSpellings, KoVFolder, TdTWriteOnly };
using enum Fault;

const std::string kReader = "Leggi_Parametri_KOV";
const std::string kNoFile = trappedText(kReader, "52-Nome o numero di file non valido");
const std::string kDenied = trappedText(kReader, "70-Autorizzazione negata");
const std::string kNotAFile = trappedText(kReader, "75-Errore di accesso al percorso/file");
const std::string kPath = "\\\\server\\report" + std::string(184, 'p');  // 199 characters
const std::string kWhole =
    test::administratorFile("  PC 1  ", true, "Log.txt", kPath, "Admin", "password1");

struct StartUp {
  const char* name;
  std::string administrator{};  // none: both roles stored, restricted access ticked
  Fault fault = None;
  std::string user{};  // of the operating system
  bool starts = true;
  std::vector<std::string> texts{};
  std::string boxes{};  // workstation|report name|path|restricted, when the row looks at them
};

const StartUp kStartUps[] = {
    {
        .name = "NothingCanBeCreated",
        .fault = ReadOnly,
        .starts = false,
        .texts = {"Si \xE8 verificato il seguente errore nella lettura del form:\n\r"
                  "70-Autorizzazione negata"},
    },
    {
        .name = "OdvBesideOdV",
        .fault = TwoSpellings,
        .user = "mario",
        .texts = {"Nella cartella del programma c'\xE8 anche il file \"Odv\", lo stesso nome "
                  "scritto con altre maiuscole e minuscole: non viene usato. La procedura usa il "
                  "file \"OdV\"."},
    },
    {.name = "AdministratorFolder",
     .fault = KoVFolder,
     .starts = false,
     .texts = {kNotAFile, kNoFile}},
    {.name = "ControllerUnreadable",
     .fault = TdTWriteOnly,
     .starts = false,
     .texts = {kDenied, kNoFile}},
    {
        .name = "AFifthRecord",
        .administrator = kWhole + storedRecord("quinta"),
        .user = "admin",
        .boxes = "PC 1|Log.txt|" + kPath + "|1",
    },
    {.name = "RestrictedFlagX",
     .administrator = storedRecord(pad("PC", 20) + "x"),
     .boxes = "PC|||0"},
    {
        .name = "RestrictedFlag7",
        .administrator = storedRecord(pad("PC", 20) + "7"),
        .texts = {trappedText(kReader, "380-Valore della propriet\xE0 non valido")},
        .boxes = "PC|||0",
    },
    {.name = "RecordsWithoutText", .administrator = std::string(1024, ' '), .boxes = "|||0"},
    {
        .name = "TornFourthRecord",
        .administrator = storedRecord("x") + storedRecord("y") + storedRecord("z") + "\x80\x81\x82",
        .boxes = "x|y|z|0",
    },
};

class StartUps : public testing::TestWithParam<StartUp> {};

// Every regular file of the folder, by name.
std::string files(const test::TempFolder& folder) {
  std::string all;
  for (const std::string& name : folder.names()) {
    if (std::filesystem::is_regular_file(folder.file(name))) all += name + folder.read(name);
  }
  return all;
}

TEST_P(StartUps, GiveTheirMessagesAndBoxesAndKeepEveryFile) {
  const StartUp& row = GetParam();
  test::Window w;
  w.platform.user = row.user;
  w.platform.screen = {1000, 800};
  if (row.fault != ReadOnly) w.storeBothRoles(row.fault == None);
  if (!row.administrator.empty()) w.folder.write("KoV", row.administrator);
  const std::string restored = storedRecord("N01/11/202608:00:00");
  if (row.fault == TwoSpellings) w.folder.write("Odv", restored);
  if (row.fault != ReadOnly) w.folder.write("OdV", restored + restored);
  if (row.fault == KoVFolder) {
    std::filesystem::remove(w.folder.file("KoV"));
    w.folder.makeFolder("KoV");
  }
  if (row.fault == TdTWriteOnly) w.folder.setOwnerAccess("TdT", 2);
  if (row.fault == ReadOnly) w.folder.setOwnerAccess(".", 5);
  const std::string before = files(w.folder);
  std::optional<test::Unprivileged> user;
  if (row.fault != None && row.fault != TwoSpellings) user.emplace(w.folder);
  EXPECT_EQ(w.load(), row.starts);
  user.reset();
  EXPECT_EQ(w.platform.texts(), row.texts);
  EXPECT_EQ(files(w.folder), before);
  if (!row.starts) return;
  // The count is read once a role may sign in, not during a first set-up.
  EXPECT_EQ(w.find<QLabel>("N_Accessi")->text(), w.find("Frm_At")->isEnabled() ? "2" : "");
  EXPECT_EQ(w.window->pos(),
            QPoint((1000 - w.window->width()) / 2, (800 - w.window->height()) / 2));
  if (row.boxes.empty()) return;
  EXPECT_EQ(w.text("Opz_KOV_1") + "|" + w.text("Opz_KOV_2") + "|" + w.text("Opz_KOV_3") + "|" +
                (w.find<QCheckBox>("Acc_Ris")->isChecked() ? "1" : "0"),
            row.boxes);
}

INSTANTIATE_TEST_SUITE_P(, StartUps, testing::ValuesIn(kStartUps), test::RowName());

}  // namespace
}  // namespace kov
