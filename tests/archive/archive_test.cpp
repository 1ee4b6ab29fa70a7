// The chain of the system log's copies, the spool of the copies the log did not take, and
// kov-verifica over a program folder, its reports and an archive made byte by byte.
#include <gtest/gtest.h>

#include <fstream>

#include "cores/archive/verifier.h"
#include "cores/oplog/copy_chain.h"
#include "cores/oplog/copy_spool.h"
#include "cores/oplog/log_writer.h"
#include "cores/oplog/texts.h"
#include "cores/report/report_run.h"
#include "runtime/sha256.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/tables.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

// The published examples of SHA-256 (FIPS 180-4 and NIST's test vectors).
struct DigestRow {
  const char* name;
  std::string message;
  const char* digest;
};
class Sha256Test : public testing::TestWithParam<DigestRow> {};
TEST_P(Sha256Test, GivesThePublishedDigest) {
  EXPECT_EQ(hexOf(Sha256().add(GetParam().message).finish()), GetParam().digest);
}
const DigestRow kDigests[] = {
    {.name = "EmptyMessage",
     .message = "",
     .digest = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
    {.name = "ThreeLetters",
     .message = "abc",
     .digest = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    {.name = "TwoBlocks",
     .message = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
     .digest = "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    {.name = "MillionTimesA",
     .message = std::string(1000000, 'a'),
     .digest = "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
};
INSTANTIATE_TEST_SUITE_P(Nist, Sha256Test, testing::ValuesIn(kDigests), test::RowName());

#ifndef _WIN32
// A program folder whose copies go to an archive file as the central machine writes them.
struct Office : test::TempFolder {
  test::FakePlatform platform;
  Kov_Par par;
  std::vector<std::string> archive;  // JSON lines
  Office() {
    platform.folder = path();
    platform.onSystemLog = [this](const SystemLogEvent& e) {
      const std::string datagram = syslogDatagram(e, 1, 0, "pc");
      archive.push_back(datagram.substr(datagram.find("@cee:") + 5));
    };
    makeFolder("report");
  }
  void append(const std::string& description) {
    std::int64_t records = 0;
    appendEntry(platform, par, test::entryText('N', "04/12/2026", description), records);
  }
  void report(bool remove) {
    par.File_Rilevazioni = file("OdV");
    runReport(platform, par,
              {{file("OdV"), path() + "/report/", "r" + std::to_string(archive.size()) + ".txt",
                "20261201", "20261231", false, "T"},
               "01/12/2026",
               "31/12/2026",
               remove},
              {[&](std::string_view text) { append(std::string(text)); },
               [&](std::string_view text) {
                 return test::entryText('N', "04/12/2026", std::string(text));
               },
               [](std::int64_t) {}, [](std::int64_t) {}});
  }
  VerifyResult verified() const {
    std::ofstream(file("archivio.json")) << [&] {
      std::string lines;
      for (const std::string& line : archive) lines += line + "\n";
      return lines;
    }();
    return verify({path(), file("report"), {file("archivio.json")}});
  }
};

enum class Tamper { None, Alter, Delete, DropCopy, Forge, Duplicate, LoseState, RemoveWithReport };
struct VerifyRow {
  const char* name;
  Tamper tamper = Tamper::None;
  std::vector<std::string> findings = {};
  VerifyCounts counts{.confirmed = 3};
};
class VerifyTest : public testing::TestWithParam<VerifyRow> {};

// Three entries go through the program's own writer; then the folder or the archive is
// changed as an auditor may find it, byte by byte.
TEST_P(VerifyTest, FindsWhatWasDone) {
  const VerifyRow& row = GetParam();
  Office o;
  for (const char* text : {"uno", "due \xE8", "tre"}) o.append(text);
  const std::string records = o.read("OdV");
  switch (row.tamper) {
    case Tamper::None:
      break;
    case Tamper::Alter:
      o.write("OdV", records.substr(0, 256) +
                         test::storedRecord(test::entryText('N', "04/12/2026", "DUE")) +
                         records.substr(512));
      break;
    case Tamper::Delete:
      o.write("OdV", records.substr(0, 256) + records.substr(512));
      break;
    case Tamper::DropCopy:
      o.archive.erase(o.archive.begin() + 2);
      break;
    case Tamper::Forge:
      o.archive.insert(o.archive.begin() + 1,
                       R"({"MESSAGE":"falsa","SYSLOG_IDENTIFIER":"kov","KOV_SEQ":"2"})");
      break;
    case Tamper::Duplicate:
      o.archive.insert(o.archive.end(), o.archive.begin(), o.archive.end());
      break;
    case Tamper::LoseState:
      std::filesystem::remove(o.file("KoV.catena"));
      o.append("quattro");
      break;
    case Tamper::RemoveWithReport:
      o.report(true);
      o.append("dopo");
      break;
  }
  const VerifyResult result = o.verified();
  ASSERT_EQ(result.badInput, "");
  std::vector<std::string> findings = result.findings;
  for (std::string& line : findings) {
    if (const auto at = line.find(o.path()); at != std::string::npos) {
      line.replace(at, o.path().size(), "<cartella>");
    }
  }
  EXPECT_EQ(findings, row.findings);
  const VerifyCounts &got = result.counts, &want = row.counts;
  EXPECT_EQ(summaryOf(got), summaryOf(want));
  EXPECT_EQ(got.allConfirmed(), row.findings.empty());
}

const std::string kEntry2 = "|04/12/2026|09:05:03|PC-01         |Admin               |due \xC3\xA8";
const VerifyRow kVerifyRows[] = {
    {.name = "NothingChanged"},
    {.name = "ArchivedTwice", .tamper = Tamper::Duplicate},
    {.name = "AlteredEntry",
     .tamper = Tamper::Alter,
     .findings = {"2: alterata: nel file |04/12/2026|09:05:03|PC-01         |Admin  "
                  "             |DUE ; nella copia n. 3 " +
                  kEntry2},
     .counts = {.confirmed = 2, .altered = 1}},
    {.name = "DeletedEntry",
     .tamper = Tamper::Delete,
     .findings = {"2: eliminata: la copia n. 3 la riporta: " + kEntry2},
     .counts = {.confirmed = 2, .deleted = 1}},
    {.name = "CopyDropped",
     .tamper = Tamper::DropCopy,
     .findings = {"copia mancante nell'archivio: la n. 3", "2: senza copia: " + kEntry2},
     .counts = {.confirmed = 2, .withoutCopy = 1, .missingCopies = 1}},
    {.name = "ForgedCopy",
     .tamper = Tamper::Forge,
     .findings = {"copia non inviata da KoV (<cartella>/archivio.json, riga 2): falsa"},
     .counts = {.confirmed = 3, .foreignCopies = 1}},
    {.name = "StateLost",
     .tamper = Tamper::LoseState,
     .findings = {"catena delle copie ricominciata senza il suo stato "
                  "(<cartella>/archivio.json, riga 5): Catena delle copie "
                  "ricominciata senza il suo stato: n. 3 scritture nel file delle "
                  "operazioni"},
     .counts = {.confirmed = 4, .restarts = 1}},
    {.name = "RemovedWithReport",
     .tamper = Tamper::RemoveWithReport,
     .counts = {.confirmed = 2, .removedWithReport = 4}},
};
INSTANTIATE_TEST_SUITE_P(Folders, VerifyTest, testing::ValuesIn(kVerifyRows), test::RowName());

// No log at all: three entries are written and their copies wait, the user told once; the log
// comes back and the next entry sends them first, in order. A full spool refuses the copy
// with its message, and the entry is still written.
TEST(Spool, KeepsCopiesInOrderUntilTheLogTakesThem) {
  Office o;
  o.platform.logDown = true;
  for (const char* text : {"uno", "due", "tre"}) o.append(text);
  EXPECT_EQ(o.platform.texts(), std::vector<std::string>{std::string(oplog_text::kCopiesWaiting)});
  EXPECT_EQ(waitingCopies(o.path()).size(), 4U);  // the chain's start and three entries
  EXPECT_TRUE(o.archive.empty());
  o.platform.logDown = false;
  o.append("quattro");
  EXPECT_EQ(waitingCopies(o.path()).size(), 0U);
  EXPECT_TRUE(o.verified().counts.allConfirmed());  // five copies, one chain, in order
  ASSERT_EQ(o.archive.size(), 5U);
  EXPECT_NE(o.archive[4].find("quattro"), std::string::npos);

  const std::vector<SystemLogEvent> full(kSpoolLimit / 1015,
                                         SystemLogEvent{std::string(990, 'x'), {}});
  ASSERT_FALSE(keepWaiting(o.path(), full));
  o.platform.logDown = true;
  o.platform.messages.clear();
  o.append("cinque");
  EXPECT_EQ(o.platform.texts(), std::vector<std::string>{std::string(oplog_text::kCopyRefused)});
  EXPECT_EQ(o.read("OdV").substr(4 * 256), test::loggedRecord("cinque", "Admin"));
  EXPECT_EQ(waitingCopies(o.path()).size(), full.size());
}
#endif

}  // namespace
}  // namespace kov
