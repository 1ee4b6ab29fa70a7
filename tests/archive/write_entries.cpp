// The program's own writer, its copies going to the real system log (the sockets as the
// system names them): `write_entries <program folder> <first> <last>` appends the entries
// numbered first to last, and `write_entries <program folder> report` runs a report of every
// entry with the removal of the recordings file. For the tests that run real log daemons.
#include <cstdio>
#include <string>

#include "cores/oplog/log_writer.h"
#include "cores/report/report_run.h"
#include "runtime/file.h"
#include "runtime/system_log.h"
#include "support/expected.h"
#include "support/fake_platform.h"

namespace {

class RealLog : public kov::test::FakePlatform {
 public:
  bool copyToSystemLog(const kov::SystemLogEvent& event) override {
    return kov::sendToSystemLog(event);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) return 2;
  RealLog platform;
  platform.folder = argv[1];
  kov::Kov_Par par;
  const std::string what = argv[2];
  const auto append = [&](const std::string& description) {
    std::int64_t records = 0;
    kov::appendEntry(platform, par, kov::test::entryText('N', "04/12/2026", description), records);
  };
  if (what == "report") {
    par.File_Rilevazioni = kov::dataFileName(platform.folder, kov::kRecordingsFile);
    kov::runReport(platform, par,
                   {{par.File_Rilevazioni, platform.folder + "/report/", "r.txt", "20261201",
                     "20261231", false, "T"},
                    "01/12/2026",
                    "31/12/2026",
                    true},
                   {[&](std::string_view text) { append(std::string(text)); },
                    [&](std::string_view text) {
                      return kov::test::entryText('N', "04/12/2026", std::string(text));
                    },
                    [](std::int64_t) {}, [](std::int64_t) {}});
  } else {
    for (int n = std::stoi(what); n <= std::stoi(argv[3]); ++n) {
      append("Operazione n. " + std::to_string(n) + " \xE8 \"fatta\"");
    }
  }
  for (const auto& m : platform.messages) std::fprintf(stderr, "%s\n", m.text.c_str());
  return platform.messages.empty() || what == "report" ? 0 : 1;
}
