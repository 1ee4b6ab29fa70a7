#include "cores/logview/log_view.h"

#include <gtest/gtest.h>

#include "support/report_files.h"

namespace kov {
namespace {

using namespace test;

// A log for the viewer: entries out of date order, a tie of date and time (records 5 and 7),
// a damaged record (3) and a record of NULs (4).
std::string unsortedLog() {
  const auto e = [](const char* flagDate, const char* time, const char* account,
                    const std::string& text) {
    return storedRecord(flagDate + std::string(time) + pad("PC-01", 14) + pad(account, 20) + text);
  };
  return e("N20/12/2026", "10:00:00", "Admin", "Riavvio del server") +
         e("S01/12/2026", "08.30.00", "admin", "Backup verificato") + storedRecord("N1/12/2026") +
         std::string(256, '\0') + e("N20/12/2026", "09:15:00", "Titolare", "Creato il report") +
         e("N15/11/2026", "23:59:59", "Admin", "Verifica credenziali di RETE") +
         e("S20/12/2026", "09:15:00", "ADMIN", "Controllo \xC8 fatto");
}

// The log by record number through each filter: damaged records pass the period and the
// account; a longer text looks among the matches of the one it extends, any other anew. The
// file is only read; a missing one is an empty log, an unreadable one is said, and a change
// under the index is noticed.
TEST(LogView, ListsEveryRecordAndFiltersIt) {
  TempFolder folder;
  folder.write("OdV", unsortedLog());
  const struct {
    std::string name;
    std::string account = {};  // the only account listed
    std::string before = {};   // a text searched first
    LogFilter filter = {};
    std::vector<std::uint32_t> shown;
  } rows[] = {
      {.name = "EveryRecord", .shown = {1, 2, 3, 5, 6, 7}},
      {.name = "FromADay", .filter = {.from = "20261201"}, .shown = {1, 2, 3, 5, 7}},
      {.name = "ToADay", .filter = {.to = "20261130"}, .shown = {3, 6}},
      {.name = "OneDay", .filter = {.from = "20261220", .to = "20261220"}, .shown = {1, 3, 5, 7}},
      {.name = "TextInADescription", .filter = {.text = "rete"}, .shown = {6}},
      {.name = "TextOfDamaged", .filter = {.text = "DANNEGG"}, .shown = {3}},
      {.name = "TextOfATime", .filter = {.text = "09:15"}, .shown = {5, 7}},
      {.name = "AccentedLetter", .filter = {.text = "\xE8"}, .shown = {7}},
      {.name = "TextOfANumber", .filter = {.text = "7"}, .shown = {7}},
      {.name = "TextOfADate", .filter = {.text = "11/2026"}, .shown = {6}},
      {.name = "TextOfAnAccount", .filter = {.text = "TITOL"}, .shown = {5}},
      {.name = "TextOfAWorkstation", .filter = {.text = "pc-0"}, .shown = {1, 2, 5, 6, 7}},
      {.name = "OwnAccountOnly", .account = "ADMIN ", .shown = {1, 2, 3, 6, 7}},
      {.name = "OwnAccountAndText",
       .account = "admin",
       .filter = {.text = "riavvio"},
       .shown = {1}},
      {.name = "OtherAccountsText",
       .account = "Admin",
       .filter = {.text = "titolare"},
       .shown = {}},
      {.name = "SearchNarrowed", .before = "ri", .filter = {.text = "riavvio"}, .shown = {1}},
      {.name = "SearchStartedAnew", .before = "riavvio", .filter = {.text = "rete"}, .shown = {6}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    LogView view = LogView::of(loadLog(folder.file("OdV"), row.account, {}).index);
    EXPECT_TRUE(updateView(view, {}, {.text = row.before}, {}).done());
    EXPECT_TRUE(updateView(view, {}, row.filter, {}).done());
    EXPECT_EQ(*view.shown, row.shown);
  }
  const LoadedLog loaded = loadLog(folder.file("OdV"), "", {});
  std::vector<std::string> fields;
  const std::vector<std::uint32_t> records = {2, 3};
  readListed(*loaded.index, recordsIn(records), {},
             [&](std::uint32_t record, std::string_view entry) {
               for (int c = 0; c < kLogColumns; ++c) {
                 fields.push_back(logField(record, entry, LogColumn(c)));
               }
             });
  EXPECT_EQ(fields, (std::vector<std::string>{"2", "01/12/2026", "08.30.00", "PC-01", "admin",
                                              "Backup verificato", "S", "3", "", "", "", "",
                                              "danneggiata", ""}));
  EXPECT_TRUE(folder.read("OdV") == unsortedLog());
  folder.write("OdV", unsortedLog().substr(0, 256));
  LogView view = LogView::of(loaded.index);
  EXPECT_TRUE(updateView(view, {}, {.text = "x"}, {}).changed);
  FakePlatform platform;
  showLoadFailure(platform, loadLog(folder.file("Missing"), "", {}), "Registro");
  EXPECT_TRUE(loadLog(folder.file("Missing"), "", {}).index->listed.empty());
  folder.makeFolder("Folder");
  showLoadFailure(platform, loadLog(folder.file("Folder"), "", {}), "Registro");
  EXPECT_EQ(platform.texts(), std::vector{trappedText("Visualizza_Registro",
                                                      "75-Errore di accesso al percorso/file")});
}

// An order by a text read in passes of 8 characters a record: texts alike in their first 8,
// 16 or all characters, letter case aside; a shorter text first, ties by number; descending,
// all of it reversed.
TEST(LogView, OrdersByATextReadInPasses) {
  TempFolder folder;
  folder.write("OdV", stored({entryText('N', "01/12/2026", "Backup del server B"),
                              entryText('N', "01/12/2026", "backup del server a"),
                              entryText('N', "01/12/2026", "Riavvio"),
                              entryText('N', "01/12/2026", "Backup del server B"),
                              entryText('N', "01/12/2026", "Backup"),
                              entryText('N', "01/12/2026", "Backup del server"),
                              entryText('N', "01/12/2026", "BACKUP DEL SERVER A2"),
                              entryText('N', "01/12/2026", "Backup d")}));
  LogView view = LogView::of(loadLog(folder.file("OdV"), "", {}).index);
  const LogOrder order = {.column = LogColumn::Description, .descending = true};
  EXPECT_TRUE(updateView(view, order, {}, {}, 64).done());
  EXPECT_EQ(*view.shown, (std::vector<std::uint32_t>{3, 4, 1, 7, 2, 6, 8, 5}));
}

}  // namespace
}  // namespace kov
