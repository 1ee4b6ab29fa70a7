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

// The log sorted by date and time (ties by number), damaged records after the entries, and
// each filter; the file is only read. A missing file is an empty log; an unreadable one is said.
TEST(LogView, ListsEveryRecordSortedAndFiltersIt) {
  TempFolder folder;
  folder.write("OdV", unsortedLog());
  FakePlatform platform;
  const std::vector<LogRow> rows = readLog(platform, folder.file("OdV"), "Registro");
  const std::pair<LogFilter, std::vector<std::int64_t>> cases[] = {
      {{}, {6, 2, 5, 7, 1, 3}},
      {{"20261201", "", "", ""}, {2, 5, 7, 1, 3}},
      {{"", "20261130", "", ""}, {6, 3}},
      {{"20261220", "20261220", "", ""}, {5, 7, 1, 3}},
      {{"", "", "rete", ""}, {6}},
      {{"", "", "DANNEGG", ""}, {3}},
      {{"", "", "09:15", ""}, {5, 7}},
      {{"", "", "\xE8", ""}, {7}},
      {{"", "", "", "ADMIN "}, {6, 2, 7, 1, 3}},
      {{"", "", "riavvio", "admin"}, {1}},
      {{"", "", "titolare", "Admin"}, {}},
      {{"", "", "7", ""}, {7}},
      {{"", "", "11/2026", ""}, {6}},
      {{"", "", "TITOL", ""}, {5}},
      {{"", "", "pc-0", ""}, {6, 2, 5, 7, 1}},
  };
  for (const auto& [filter, expected] : cases) {
    std::vector<std::int64_t> shown;
    for (const std::size_t i : filterLog(rows, filter)) shown.push_back(rows[i].record);
    EXPECT_EQ(shown, expected) << filter.from << "-" << filter.to << " '" << filter.text << "' "
                               << filter.account;
  }
  std::vector<std::string> fields;
  for (const std::size_t at : {1, 5})
    for (int c = 0; c < kLogColumns; ++c) fields.push_back(logField(rows[at], LogColumn(c)));
  EXPECT_EQ(fields, (std::vector<std::string>{"2", "01/12/2026", "08.30.00", "PC-01", "admin",
                                              "Backup verificato", "S", "3", "", "", "", "",
                                              "danneggiata", ""}));
  EXPECT_TRUE(folder.read("OdV") == unsortedLog());
  EXPECT_TRUE(readLog(platform, folder.file("Missing"), "Registro").empty());
  folder.makeFolder("Folder");
  EXPECT_TRUE(readLog(platform, folder.file("Folder"), "Registro").empty());
  EXPECT_EQ(platform.texts(), std::vector{trappedText("Visualizza_Registro",
                                                      "75-Errore di accesso al percorso/file")});
}

}  // namespace
}  // namespace kov
