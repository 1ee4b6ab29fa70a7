// The copy of every entry and every report run in the system log: what is sent, byte for
// byte, to sockets of the test's own in place of the system's.
#include "runtime/system_log.h"

#include <gtest/gtest.h>

#include "cores/oplog/entry.h"
#include "cores/oplog/log_writer.h"
#include "cores/report/report_run.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <map>
#include <optional>
#include <regex>

#include "runtime/cp1252.h"
#endif

namespace kov {
namespace {

// Positions and widths as the entry holds them; "è" is Windows-1252 0xE8.
std::string entryWith(const std::string& description) {
  return "N04/12/202609:05:03" + test::pad(" PC-01", 14) + test::pad("Admin", 20) + description;
}
const std::string kEntry = entryWith("Verificato \xE8");

// A report run is copied after the entry that logs it, with what it counted.
TEST(SystemLog, AReportRunIsCopiedWithWhatItCounted) {
  test::TempFolder folder;
  folder.write("OdV", test::storedRecord(kEntry) + test::storedRecord("N01/11/202608:00:00"));
  folder.makeFolder("report");
  test::FakePlatform platform;
  platform.folder = folder.path();
  std::vector<SystemLogEvent> copies;
  platform.onSystemLog = [&](const SystemLogEvent& e) { copies.push_back(e); };
  Kov_Par par;
  const std::string report = folder.path() + "\\report\\r.txt";
  const ReportRun run{{folder.file("OdV"), folder.path() + "\\report\\", "r.txt", "20261204",
                       "20261204", false, "KoV"},
                      "04/12/2026",
                      "04/12/2026",
                      true};
  std::int64_t records = 0;
  const ReportWindow window{[&](std::string_view text) {
                              appendEntry(platform, par, entryWith(std::string(text)), records);
                            },
                            [&](std::string_view text) { return entryWith(std::string(text)); },
                            [](std::int64_t) {}};
  runReport(platform, par, run, window);
  ASSERT_EQ(copies.size(), 2U);
  EXPECT_EQ(copies[0].fields[0], (std::pair<std::string, std::string>{"KOV_RECORD", "3"}));
  EXPECT_EQ(copies[1].message, "Report dal 04/12/2026 al 04/12/2026: n. 1 scritture copiate in " +
                                   report + ", n. 1 ancora da rilevare");
  const std::vector<std::pair<std::string, std::string>> fields = {
      {"KOV_FROM", "04/12/2026"}, {"KOV_TO", "04/12/2026"},   {"KOV_REPORT", report},
      {"KOV_RECORDS", "2"},       {"KOV_COPIED", "1"},        {"KOV_UNREPORTED", "1"},
      {"KOV_COMPLETE", "S"},      {"KOV_REPORT_FAILED", "N"}, {"KOV_DAMAGED", "N"},
      {"KOV_REMOVED", "N"}};
  EXPECT_EQ(copies[1].fields, fields);
}

#ifdef _WIN32
TEST(SystemLog, TheEventLogTextIsTheMessageAndOneLinePerField) {
  EXPECT_EQ(eventLogText(systemLogCopy(kEntry, 7)),
            L"Scrittura n. 7 del file delle operazioni: |04/12/2026|09:05:03| PC-01        |"
            L"Admin               |Verificato \u00e8\r\nKOV_RECORD=7\r\nKOV_REPORTED=N\r\n"
            L"KOV_DATE=04/12/2026\r\nKOV_TIME=09:05:03\r\nKOV_WORKSTATION= PC-01        \r\n"
            L"KOV_ACCOUNT=Admin               \r\nKOV_DESCRIPTION=Verificato \u00e8");
}
#else
// A datagram socket bound in the test's folder.
class LogSocket {
 public:
  explicit LogSocket(const std::string& path)
      : fd_(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    EXPECT_EQ(::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  }
  ~LogSocket() { ::close(fd_); }
  LogSocket(const LogSocket&) = delete;
  LogSocket& operator=(const LogSocket&) = delete;
  std::vector<std::string> received() const {
    std::vector<std::string> datagrams;
    char buffer[65536];
    for (ssize_t n; (n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT)) >= 0;) {
      datagrams.emplace_back(buffer, static_cast<std::size_t>(n));
    }
    return datagrams;
  }

 private:
  int fd_;
};

// The fields of a journal datagram made of "NAME=value" lines.
std::map<std::string, std::string> fieldsOf(const std::string& datagram) {
  std::map<std::string, std::string> fields;
  for (std::size_t at = 0, end; (end = datagram.find('\n', at)) != std::string::npos;
       at = end + 1) {
    const std::string line = datagram.substr(at, end - at);
    const std::size_t equals = line.find('=');
    EXPECT_NE(equals, std::string::npos) << line;
    fields[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return fields;
}

TEST(SystemLog, JournalFieldsAndSyslogLineInUtf8) {
  const SystemLogEvent event{"Riga \xE8", {{"KOV_A", "x"}, {"KOV_B", "due\nrighe"}}};
  EXPECT_EQ(journalDatagram(event),
            "MESSAGE=Riga \xC3\xA8\nPRIORITY=6\nSYSLOG_FACILITY=10\nSYSLOG_IDENTIFIER=kov\n"
            "KOV_A=x\nKOV_B\n" +
                std::string("\x09\0\0\0\0\0\0\0", 8) + "due\nrighe\n");
  EXPECT_TRUE(
      std::regex_match(syslogDatagram(event, 42),
                       std::regex("<86>[A-Z][a-z]{2} [ 123][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} "
                                  "kov\\[42\\]: Riga \xC3\xA8")));
}

// Each entry the writer appends reaches the journal with its fields exactly as its record
// holds them; without a journal, syslog gets the line; without either, the entry is written
// all the same.
TEST(SystemLog, EveryEntryAppendedIsCopiedAsItsRecordHoldsIt) {
  for (const bool journal : {true, false}) {
    test::TempFolder folder;
    const SystemLogSockets sockets{folder.file("journal"), folder.file("syslog")};
    std::optional<LogSocket> journalSocket;
    if (journal) journalSocket.emplace(sockets.journal);
    const LogSocket syslogSocket(sockets.syslog);
    test::FakePlatform platform;
    platform.folder = folder.path();
    platform.onSystemLog = [&](const SystemLogEvent& e) { sendToSystemLog(e, sockets); };
    Kov_Par par;
    std::int64_t records = 0;
    for (const std::string description : {"Backup", "Verificato \xE8 | ok"}) {
      ASSERT_TRUE(appendEntry(platform, par, entryWith(description), records));
    }
    const std::string file = folder.read("OdV");
    ASSERT_EQ(file.size(), 512U);
    const std::vector<std::string> copies =
        journal ? journalSocket->received() : syslogSocket.received();
    ASSERT_EQ(copies.size(), 2U);
    for (std::size_t n = 0; n < 2; ++n) {
      // The entry as its record holds it: unscrambled, the fill spaces dropped.
      std::string stored = test::shifted(file.substr(n * 256, 253), -2);
      stored.erase(stored.find_last_not_of('\x1E') + 1);
      const std::string line = utf8FromCp1252(displayLine(stored));
      if (!journal) {
        EXPECT_TRUE(copies[n].ends_with(" kov[" + std::to_string(::getpid()) + "]: Scrittura n. " +
                                        std::to_string(n + 1) +
                                        " del file delle operazioni: " + line));
        continue;
      }
      auto fields = fieldsOf(copies[n]);
      EXPECT_EQ(fields["MESSAGE"],
                "Scrittura n. " + std::to_string(n + 1) + " del file delle operazioni: " + line);
      EXPECT_EQ(fields["SYSLOG_FACILITY"] + fields["SYSLOG_IDENTIFIER"], "10kov");
      EXPECT_EQ(fields["KOV_RECORD"], std::to_string(n + 1));
      EXPECT_EQ(fields["KOV_REPORTED"] + fields["KOV_DATE"] + fields["KOV_TIME"] +
                    fields["KOV_WORKSTATION"] + fields["KOV_ACCOUNT"] + fields["KOV_DESCRIPTION"],
                utf8FromCp1252(stored));
    }
    EXPECT_TRUE(!journal || syslogSocket.received().empty());
  }
  // Nobody listening: the entry is written and nothing is shown.
  test::TempFolder folder;
  test::FakePlatform platform;
  platform.folder = folder.path();
  platform.onSystemLog = [&](const SystemLogEvent& e) {
    sendToSystemLog(e, {folder.file("none"), folder.file("none")});
  };
  Kov_Par par;
  std::int64_t records = 0;
  EXPECT_TRUE(appendEntry(platform, par, kEntry, records));
  EXPECT_EQ(folder.read("OdV"), test::storedRecord(kEntry));
  EXPECT_TRUE(platform.messages.empty());
}
#endif

}  // namespace
}  // namespace kov
