// Entries appended by two processes at once, and the copy of every entry and report run in
// the system log: what is sent, byte for byte, to sockets of the test's own.
#include "runtime/system_log.h"

#include <gtest/gtest.h>

#include "cores/oplog/entry.h"
#include "cores/oplog/log_writer.h"
#include "cores/report/report_run.h"
#include "support/fake_platform.h"
#include "support/report_files.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
#include <thread>

#include "runtime/cp1252.h"
#endif

namespace kov {
namespace {

// The fields as NAME=value, one blank between them.
std::string joined(const std::vector<std::pair<std::string, std::string>>& fields) {
  std::string text;
  for (const auto& [name, value] : fields) text += (text.empty() ? "" : " ") + name + "=" + value;
  return text;
}

struct Logged : test::TempFolder {
  test::FakePlatform platform;
  Kov_Par par;
  std::vector<SystemLogEvent> copies;
  Logged() {
    platform.folder = path();
    // The copies of entries and runs, without the chain's own (the chain's tests have them).
    platform.onSystemLog = [this](SystemLogEvent e) {
      if (e.fields.front().second == "CHAIN_START") return;
      std::erase_if(e.fields, [](const auto& field) {
        return field.first == "KOV_LINK" || field.first == "KOV_SEQ" || field.first == "KOV_PREV" ||
               field.first == "KOV_HASH";
      });
      copies.push_back(e);
    };
  }
  void append(const std::string& description) {
    std::int64_t records = 0;
    ASSERT_EQ(appendEntry(platform, par, test::entryText('N', "04/12/2026", description), records),
              Appended::Done);
  }
};

// Each entry appended is copied with its record's number and its fields as the record holds
// them; a report run is copied after the entry that logs it, with what it counted.
TEST(SystemLog, EveryEntryAndReportRunIsCopied) {
  Logged l;
  l.write("OdV", test::storedRecord("N01/11/202608:00:00"));
  l.makeFolder("report");
  l.append("Verificato \xE8 | ok");  // "è" is Windows-1252 0xE8
  EXPECT_EQ(l.read("OdV").substr(256), test::loggedRecord("Verificato \xE8 | ok", "Admin"));
  ASSERT_EQ(l.copies.size(), 1U);
  EXPECT_EQ(l.copies[0].message,
            "Scrittura n. 2 del file delle operazioni: |04/12/2026|09:05:03|PC-01         |"
            "Admin               |Verificato \xE8 | ok");
  EXPECT_EQ(joined(l.copies[0].fields),
            "KOV_EVENT=ENTRY KOV_RECORD=2 KOV_REPORTED=N KOV_DATE=04/12/2026 KOV_TIME=09:05:03 "
            "KOV_WORKSTATION=PC-01          KOV_ACCOUNT=Admin                "
            "KOV_DESCRIPTION=Verificato \xE8 | ok");
  const std::string report = l.file("report/r.txt");
  ReportRun run;  // member by member: MinGW's GCC 12 takes a braced one for maybe uninitialized
  run.request = {
      l.file("OdV"), l.path() + "\\report\\", "r.txt", "20261204", "20261204", false, "T"};
  run.from = run.to = "04/12/2026";
  runReport(
      l.platform, l.par, run,
      {[&](std::string_view text) { l.append(std::string(text)); },
       [&](std::string_view text) { return test::entryText('N', "04/12/2026", std::string(text)); },
       [](std::int64_t) {}, [](std::int64_t) {}});
  ASSERT_EQ(l.copies.size(), 3U);
  EXPECT_EQ(l.copies[1].fields[1], (std::pair<std::string, std::string>{"KOV_RECORD", "3"}));
  EXPECT_EQ(l.copies[2].message, "Report dal 04/12/2026 al 04/12/2026: n. 1 scritture copiate in " +
                                     report + ", n. 1 ancora da rilevare");
  EXPECT_EQ(joined(l.copies[2].fields),
            "KOV_EVENT=REPORT KOV_FROM=04/12/2026 KOV_TO=04/12/2026 KOV_REPORT=" + report +
                " KOV_RECORDS=2 KOV_COPIED=1 KOV_UNREPORTED=1 KOV_COMPLETE=S KOV_REPORT_FAILED=N "
                "KOV_DAMAGED=N KOV_REMOVED=N");
}

#ifdef _WIN32
TEST(SystemLog, TheEventLogTextIsTheMessageAndOneLinePerField) {
  EXPECT_EQ(eventLogText({"Riga \xE8", {{"KOV_A", "x"}, {"KOV_B", "\x80"}}}),
            L"Riga \u00e8\r\nKOV_A=x\r\nKOV_B=\u20ac");
}
#else
// Sent to the journal in its own form; without a journal, to syslog; without either, the
// entry is written and confirmed all the same.
TEST(SystemLog, TheJournalOrElseSyslogGetsTheCopyInUtf8) {
  test::TempFolder folder;
  int sockets[2];
  for (int i = 0; i < 2; ++i) {
    sockets[i] = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    folder.file(i == 0 ? "journal" : "syslog").copy(address.sun_path, 100);
    ASSERT_EQ(::bind(sockets[i], reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  }
  const auto received = [](int socket) {
    char buffer[4096];
    const ssize_t n = ::recv(socket, buffer, sizeof buffer, MSG_DONTWAIT);
    return n < 0 ? std::string("nothing") : std::string(buffer, static_cast<std::size_t>(n));
  };
  const SystemLogEvent event{"Riga \xE8", {{"KOV_A", "\x80"}, {"KOV_B", "due\nrighe"}}};
  sendToSystemLog(event, {folder.file("journal"), folder.file("syslog")});
  EXPECT_EQ(received(sockets[0]),
            "MESSAGE=Riga \xC3\xA8\nPRIORITY=6\nSYSLOG_FACILITY=10\nSYSLOG_IDENTIFIER=kov\n"
            "KOV_A=\xE2\x82\xAC\nKOV_B\n" +
                std::string("\x09\0\0\0\0\0\0\0", 8) + "due\nrighe\n");
  EXPECT_EQ(received(sockets[1]), "nothing");
  EXPECT_TRUE(sendToSystemLog(event, {folder.file("none"), folder.file("syslog")}));
  const std::string datagram = syslogDatagram(event, ::getpid(), 0, "");  // its form below
  EXPECT_TRUE(received(sockets[1]).ends_with(datagram.substr(datagram.find(" kov "))));
  EXPECT_FALSE(sendToSystemLog(event, {folder.file("none"), folder.file("none")}));
  for (const int socket : sockets) ::close(socket);
}

// The syslog message in the form of RFC 5424, its time with the offset of the time zone, its
// text the same fields as the journal's in JSON, escaped as JSON escapes them.
TEST(SystemLog, TheSyslogMessageCarriesEveryFieldWithTheTimeZone) {
  ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  ::tzset();
  const SystemLogEvent event{"Citt\xE0 \"a\\b\"", {{"KOV_DESCRIPTION", "tab\tcr\rlf\n\x01"}}};
  EXPECT_EQ(syslogDatagram(event, 42, 1796375103, "pc-01"),  // 4 December 2026, 09:05:03 UTC
            "<86>1 2026-12-04T10:05:03+01:00 pc-01 kov 42 - - @cee:{\"MESSAGE\":\"Citt\xC3\xA0 "
            "\\\"a\\\\b\\\"\",\"PRIORITY\":\"6\",\"SYSLOG_FACILITY\":\"10\",\"SYSLOG_IDENTIFIER\":"
            "\"kov\",\"KOV_DESCRIPTION\":\"tab\\tcr\\rlf\\n\\u0001\"}");
  EXPECT_EQ(syslogDatagram(event, 42, 1783155903, "").substr(0, 41),  // 4 July 2026, summer
            "<86>1 2026-07-04T11:05:03+02:00 - kov 42 ");
}

// This process and a second one append at once to one recordings file: every record whole,
// none lost, each at the number the writer gave it. An entry that cannot be scrambled is shown and
// not appended. Each failing step of an entry is walked by the fault walk.
TEST(AppendEntry, TwoProcessesAppendingAtOnceLoseAndTearNothing) {
  test::TempFolder folder;
  std::vector<std::string> expected, records;
  for (int i = 0; i < 800; ++i)
    expected.push_back(test::entryText('N', "04/12/2026", std::to_string(i)));
  const pid_t child = ::fork();
  test::FakePlatform platform;
  platform.folder = folder.path();
  platform.onWait = [](const auto& ready, auto, auto) {
    while (!ready()) std::this_thread::yield();
    return true;
  };
  Kov_Par par;
  std::int64_t count = 0;
  int misnumbered = 0;  // entries not at the record number the writer gave
  for (int i = child == 0 ? 0 : 400, end = i + 400; i < end; ++i) {
    EXPECT_EQ(appendEntry(platform, par, expected[i], count), Appended::Done);
    const auto at = static_cast<std::size_t>(count - 1) * 256;
    misnumbered += folder.read("OdV").substr(at, 256) != test::storedRecord(expected[i]);
  }
  if (child == 0) ::_exit(platform.messages.empty() && misnumbered == 0 ? 0 : 1);
  EXPECT_EQ(misnumbered, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(appendEntry(platform, par, expected[0] + "\xFF", count), Appended::Refused);
  EXPECT_EQ(platform.texts(),
            std::vector<std::string>{test::trappedText("Cripta_Decripta", test::kBadCall)});
  const std::string bytes = folder.read("OdV");
  for (std::size_t at = 0; at < bytes.size(); at += 256) records.push_back(bytes.substr(at, 256));
  for (std::string& text : expected) text = test::storedRecord(text);
  std::ranges::sort(records);
  std::ranges::sort(expected);
  EXPECT_TRUE(records == expected);
}
#endif

}  // namespace
}  // namespace kov
