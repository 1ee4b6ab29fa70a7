#include <gtest/gtest.h>

#include <filesystem>

#include "cores/logview/log_view.h"
#include "report/report_files.h"

namespace kov {
namespace {

using namespace test;

// The log sorted by date and time (ties by number), damaged records after the entries, and
// each filter; the file is only read. A missing file is an empty log; an unreadable or too large
// one is said.
TEST(LogView, ListsEveryRecordSortedAndFiltersIt) {
  TempFolder folder;
  folder.write("OdV", unsortedLog());
  FakePlatform platform;
  const std::vector<LogRow> rows = readLog(platform, folder.file("OdV"), "Registro");
  // clang-format off
  const std::pair<LogFilter, std::vector<std::int64_t>> cases[] = {
      {{}, {6, 2, 5, 7, 1, 3}}, {{"20261201", "", "", ""}, {2, 5, 7, 1, 3}}, {{"", "20261130", "", ""}, {6, 3}},
      {{"20261220", "20261220", "", ""}, {5, 7, 1, 3}}, {{"", "", "rete", ""}, {6}}, {{"", "", "DANNEGG", ""}, {3}},
      {{"", "", "09:15", ""}, {5, 7}}, {{"", "", "\xE8", ""}, {7}}, {{"", "", "", "ADMIN "}, {6, 2, 7, 1, 3}},
      {{"", "", "riavvio", "admin"}, {1}}, {{"", "", "titolare", "Admin"}, {}}, {{"", "", "7", ""}, {7}},
      {{"", "", "11/2026", ""}, {6}}, {{"", "", "TITOL", ""}, {5}}, {{"", "", "pc-0", ""}, {6, 2, 5, 7, 1}}};
  // clang-format on
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
  folder.write("Large", "");
  std::filesystem::resize_file(folder.file("Large"), (std::uint64_t{1} << 22) * 256 + 256);
  EXPECT_TRUE(readLog(platform, folder.file("Large"), "Registro").empty());
  EXPECT_EQ(platform.texts(),
            (std::vector<std::string>{
                trappedText("Visualizza_Registro", "75-Errore di accesso al percorso/file"),
                "Il file delle rilevazioni contiene n. 4194305 righe, pi\xF9 di quante la "
                "procedura ne possa aver scritte (al massimo 4194304): il file non \xE8 stato "
                "letto n\xE9 modificato."}));
  EXPECT_EQ(platform.messages.back().title, "Registro");
}

}  // namespace
}  // namespace kov
