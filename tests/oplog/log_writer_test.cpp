#include "oplog/log_writer.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>

#include "oplog/entry.h"
#include "shell/runtime/faults.h"
#include "shell/runtime/file.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::storedRecord;

struct Writer {
  test::TempFolder folder;
  test::FakePlatform platform;
  Kov_Par par;
  Writer() { platform.folder = folder.path(); }
  bool append(const std::string& entry) { return appendEntry(platform, par, entry); }
};

const std::string kEntry = "N04/12/202609:05:03PC-01         Admin               Backup";

TEST(AppendEntry, CreatesTheFileUnhiddenWithOneExactRecord) {
  Writer w;
  ASSERT_TRUE(w.append(kEntry));
  EXPECT_EQ(w.folder.names(), std::vector<std::string>{"OdV"});
  const std::string bytes = w.folder.read("OdV");
  EXPECT_EQ(bytes, storedRecord(kEntry));
  EXPECT_EQ(bytes[0], 'P');  // the flag N, scrambled
  EXPECT_EQ(bytes.substr(19, 14), test::shifted("PC-01         ", 2));
  EXPECT_FALSE(isHidden(w.folder.path() + "\\OdV"));
  EXPECT_EQ(w.par.File_Rilevazioni, w.folder.path() + "\\OdV");
  EXPECT_TRUE(w.platform.messages.empty());
}

TEST(AppendEntry, AppendsToTheFileStartUpNamedInOtherLetterCase) {
  Writer w;
  const std::string first = storedRecord("N01/12/202608:00:00");
  w.folder.write("Odv", first);
  ASSERT_TRUE(w.append(kEntry));
  EXPECT_EQ(w.folder.names(), std::vector<std::string>{"Odv"});
  EXPECT_EQ(w.folder.read("Odv"), first + storedRecord(kEntry));
}

TEST(AppendEntry, AWidestEntryFillsTheRecordUpToTheBar) {
  Writer w;
  const std::string widest = kEntry.substr(0, 53) + std::string(200, 'x');
  ASSERT_TRUE(w.append(widest));
  const std::string bytes = w.folder.read("OdV");
  EXPECT_EQ(bytes.substr(0, 253), test::shifted(widest, 2));
  EXPECT_EQ(bytes.substr(253), "|\r\n");
}

TEST(AppendEntry, AfterATornRecordLaterEntriesStayOnRecordBoundaries) {
  Writer w;
  const std::string whole = storedRecord("N01/12/202608:00:00");
  w.folder.write("OdV", whole + whole.substr(0, 100));
  ASSERT_TRUE(w.append(kEntry));
  const std::string bytes = w.folder.read("OdV");
  ASSERT_EQ(bytes.size(), 3U * 256);
  EXPECT_EQ(bytes.substr(256, 100), whole.substr(0, 100));
  EXPECT_EQ(bytes.substr(512), storedRecord(kEntry));
}

TEST(AppendEntry, AnEntryThatCannotBeScrambledIsNotAppended) {
  Writer w;
  const std::string first = storedRecord("N01/12/202608:00:00");
  w.folder.write("OdV", first);
  EXPECT_FALSE(w.append(kEntry + "\xFF"));
  EXPECT_EQ(w.folder.read("OdV"), first);
  ASSERT_EQ(w.platform.messages.size(), 1U);
  EXPECT_NE(w.platform.messages[0].text.find("Cripta_Decripta"), std::string::npos);
}

TEST(AppendEntry, EachFailingStepIsReportedAndNothingStoredIsLost) {
  const std::string heading =
      "Si \xE8 verificato il seguente errore nella Sub Scrive_Riga_di_Log :\n\r";
  const struct {
    faults::Op op;
    int errnoValue;
    std::vector<std::string> messages;
    bool appended;
  } cases[] = {
      {faults::Op::Open,
       EACCES,
       {heading + "70-Autorizzazione negata", heading + "52-Nome o numero di file non valido"},
       false},
      {faults::Op::Write, ENOSPC, {heading + "61-Disco pieno"}, false},
      {faults::Op::Sync, EIO, {heading + "57-Errore di I/O della periferica"}, true},
  };
  for (const auto& c : cases) {
    Writer w;
    const std::string first = storedRecord("N01/12/202608:00:00");
    w.folder.write("OdV", first);
    faults::reset();
    faults::failAt(c.op, 1, c.errnoValue);
    EXPECT_TRUE(w.append(kEntry));
    faults::reset();
    EXPECT_EQ(w.platform.texts(), c.messages);
    EXPECT_EQ(w.folder.read("OdV"), c.appended ? first + storedRecord(kEntry) : first);
  }
}

#ifndef _WIN32  // needs POSIX permissions or processes
TEST(AppendEntry, AReadOnlyProgramFolderIsReported) {
  Writer w;
  w.folder.makeReadOnly();
  test::Unprivileged user(w.folder);
  EXPECT_TRUE(w.append(kEntry));
  EXPECT_EQ(w.platform.messages.size(), 2U);
  EXPECT_NE(w.platform.messages[0].text.find("70-Autorizzazione negata"), std::string::npos);
  EXPECT_TRUE(w.folder.names().empty());
}
#endif

#ifndef _WIN32  // needs POSIX permissions or processes
TEST(AppendEntry, TwoProcessesAppendingAtOnceLoseAndTearNothing) {
  Writer w;
  constexpr int kEach = 1000;
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    ASSERT_GE(children[child], 0);
    if (children[child] == 0) {
      test::FakePlatform platform;
      platform.folder = w.folder.path();
      Kov_Par par;
      for (int i = 0; i < kEach; ++i) {
        appendEntry(platform, par, kEntry + std::to_string(child) + "-" + std::to_string(i));
      }
      ::_exit(platform.messages.empty() ? 0 : 1);
    }
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::string bytes = w.folder.read("OdV");
  ASSERT_EQ(bytes.size(), 2U * kEach * 256);
  int seen[2] = {0, 0};
  for (std::size_t at = 0; at < bytes.size(); at += 256) {
    const std::string record = bytes.substr(at, 256);
    ASSERT_EQ(record.substr(253), "|\r\n");
    const std::string entry = test::shifted(record.substr(0, record.find(' ')), -2);
    const int child = entry[kEntry.size()] - '0';
    // Each process's entries arrive whole and in the order it wrote them.
    EXPECT_EQ(entry, kEntry + std::to_string(child) + "-" + std::to_string(seen[child]));
    ++seen[child];
  }
  EXPECT_EQ(seen[0], kEach);
  EXPECT_EQ(seen[1], kEach);
}
#endif

}  // namespace
}  // namespace kov
