// Runs of the report from the window: the messages, the recordings file, the report, and the
// PDF written beside it with the question whether to open their folder.
#include <gtest/gtest.h>

#include <QProcess>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "runtime/file.h"
#include "support/controller_window.h"
#include "support/fault_plan.h"
#include "support/tables.h"

namespace kov {
namespace {

using namespace test;

// What follows a report: its PDF and the question whether to open their folder, answered No;
// or Yes, and the folder shown or not; or the PDF not written.
enum class Pdf { Written, FolderShown, FolderNotShown, NameTaken, DiskFull };
using enum Pdf;

const std::string a = entryText('N', "01/12/2026", "a"), b = entryText('N', "31/12/2026", "b");
const std::string c = entryText('S', "12/12/2026", "c");  // reported before
const std::string kBlank = std::string(253, ' ') + "|\r\n";
const std::string kCreated = confirmation(test::kCreated), kLogged = loggedRecord(test::kCreated);

// An entry of the period whose date was hit: damaged, it may hold a confirmed entry.
std::string dateHit() {
  std::string record = storedRecord(b);
  record[3] = 'A';
  return record;
}

// Records of every shape: fields at their width, codes kept, damaged ones told by number.
struct Records {
  std::string stored, marked, lines;
  void add(const std::string& entry) {
    stored += storedRecord(entry), marked += markedRecord(entry), lines += lineOf(entry);
  }
};
Records shapes() {
  Records r;
  r.add(a);
  r.add(entryText('N', "04/12/2026", std::string(200, 'x')));
  r.add(entryText('N', "04/12/2026", "copia | verifica", std::string(20, 'a')));
  r.add(entryText('N', "04/12/2026", ""));
  for (const std::string& kept :
       {std::string(256, '\0'), kBlank, storedRecord(b).substr(0, 100) + std::string(156, '\0'),
        dateHit(), '\x01' + storedRecord(b).substr(1)}) {
    r.stored += kept, r.marked += kept;
  }
  const std::string code30 = entryText('N', "04/12/2026", "fine\x1E\x1E  ");
  const std::string barless = entryText('N', "10/12/2026", "senza barra");
  const std::string lfEnd = entryText('N', "10/12/2026", "LF");
  r.stored += storedRecord(code30) + storedRecord(barless).substr(0, 253) + " \r\n" +
              storedRecord(lfEnd).substr(0, 254) + "\n\n";
  r.marked += storedRecord("S" + code30.substr(1, code30.size() - 2)) + markedRecord(barless) +
              markedRecord(lfEnd);
  r.lines += lineOf(code30) + lineOf(barless) + lineOf(lfEnd);
  return r;
}
const Records kShapes = shapes();

// Two pages of PDF, the last line wrapped.
Records hundred() {
  Records r;
  for (int n = 1; n <= 100; ++n)
    r.add(entryText('N', "04/12/2026",
                    "voce n. " + std::to_string(n) + " \xE8 ok" + std::string(n / 100 * 180, 'w')));
  return r;
}
const Records kHundred = hundred();
const std::string out1 = storedRecord(entryText('N', "30/11/2026", "fuori"));
const std::string out2 = storedRecord(entryText('N', "01/01/2027", "fuori"));

// 32,765 records reported long ago, one blank, one entry of the period.
std::string many() {
  std::string records;
  for (int n = 1; n <= 32765; ++n) records += storedRecord(entryText('S', "10/11/2026", "old"));
  return records + kBlank + storedRecord(b);
}
const std::string kMany = many();

struct RunRow {
  const char* name;
  std::string recordings;
  QString start = "01122026", end = "31122026";
  const char* tick = nullptr;  // Rimuovi or Anche_gia_Lette
  bool earlier = false;        // a link to the recordings file planted under the report's name
  Pdf pdf = Written;
  std::vector<std::string> said{};
  std::string left{};   // the recordings file afterwards
  std::string lines{};  // of the report after its heading; none: no report
};

const RunRow kRuns[] = {
    {
        .name = "EveryShapeOfRecord",
        .recordings = kShapes.stored + out1 + storedRecord(b) + out2 + storedRecord(c) + kBlank,
        .tick = "Rimuovi",
        .said = {damagedLine(6), damagedLine(7), damagedLine(8),
                 trappedText("Cripta_Decripta", kBadCall), damagedLine(9), damagedLine(17),
                 found(8), kCreated, leftText(2), kNotDeleted},
        .left = kShapes.marked + out1 + markedRecord(b) + out2 + storedRecord(c) + kBlank + kLogged,
        .lines = kShapes.lines + lineOf(b),
    },
    {
        .name = "TornTailRemovedAndTheDiskFull",
        .recordings = storedRecord(a) + storedRecord(a).substr(0, 100),
        .tick = "Rimuovi",
        .pdf = DiskFull,
        .said = {found(1), pdfFailed("61-Disco pieno"), kCreated, kDeleted, confirmation(kRemoved)},
        .left = loggedRecord(kRemoved),
        .lines = lineOf(a),
    },
    {
        .name = "DateHitAndTheFolderNotShown",
        .recordings = storedRecord(a) + dateHit(),
        .tick = "Rimuovi",
        .pdf = FolderNotShown,
        .said = {damagedLine(2), found(1), "Non \xE8 stato possibile aprire la cartella " + kFolder,
                 kCreated,
                 "Il File delle operazioni non \xE8 stato Eliminato in quanto contiene righe "
                 "danneggiate: viene conservato per poterle recuperare"},
        .left = markedRecord(a) + dateHit() + kLogged,
        .lines = lineOf(a),
    },
    {
        .name = "ReportedInTwoDigitYears",
        .recordings = storedRecord(c),
        .start = "011226",
        .end = "311226",
        .tick = "Anche_gia_Lette",
        .pdf = NameTaken,
        .said = {found(1), pdfFailed("58-File gi\xE0 esistente"), kCreated},
        .left = storedRecord(c) + kLogged,
        .lines = lineOf(c),
    },
    {
        .name = "LinkUnderTheReportsName",
        .recordings = storedRecord(a),
        .tick = "Rimuovi",
        .earlier = true,
        .said = {"Esiste gi\xE0 un report con il nome " + kFolder + "\\" + kReportName +
                     ": attendere il minuto successivo e ripetere la generazione",
                 leftText(1), kNotDeleted},
        .left = storedRecord(a),
    },
    {
        .name = "AHundredAndTheFolderShown",
        .recordings = kHundred.stored,
        .pdf = FolderShown,
        .said = {found(100), kCreated},
        .left = kHundred.marked + kLogged,
        .lines = kHundred.lines,
    },
    {
        .name = "Over32767Records",
        .recordings = kMany,
        .said = {damagedLine(32766), found(1), kCreated,
                 "Il file delle rilevazioni contiene n. 32768 scritture: le versioni precedenti "
                 "della procedura ne leggono al massimo 32767. Si consiglia di rimuoverlo con "
                 "l'opzione \"Rimuovi i Report esistenti\" appena non ci sono pi\xF9 scritture "
                 "da rilevare."},
        .left = kMany.substr(0, 32766U * 256) + markedRecord(b) + kLogged,
        .lines = lineOf(b),
    },
};

// The heading and every line of the report, whole, in the text pdftotext reads: it sets its
// own spaces between the fields and shows no control character.
void expectPdfOf(const std::string& pdf, const std::string& lines) {
  QProcess reader;
  reader.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
  EXPECT_TRUE(reader.waitForFinished()) << "pdftotext";
  const std::string text = reader.readAllStandardOutput().toStdString();
  QProcess fonts;
  fonts.start("pdffonts", {QString::fromStdString(pdf)});
  EXPECT_TRUE(fonts.waitForFinished() && fonts.readAllStandardOutput().contains("Bold"))
      << "a bold face for the heading";
  if (const char* pictures = std::getenv("KOV_SCREENSHOTS"))  // the README's picture
    std::filesystem::copy_file(pdf, std::string(pictures) + "/report.pdf",
                               std::filesystem::copy_options::overwrite_existing);
  const std::size_t copied = lines.size() / 256, pages = copied == 100 ? 2 : 1;
  std::vector<std::string> said = {"Registro delle operazioni dell'Amministratore di Sistema",
                                   "Postazione: PC-01", "Periodo: dal 01/12/2026 al 31/12/2026",
                                   "Report generato il 04/12/2026 alle 09:05:03 da Titolare",
                                   "Scritture riportate: " + std::to_string(copied)};
  for (std::size_t n = 1; n <= pages; ++n)
    said.push_back("Pagina " + std::to_string(n) + " di " + std::to_string(pages));
  for (const std::string& line : said) EXPECT_NE(text.find(line + "\n"), std::string::npos) << line;
  const auto squeezed = [](std::string t) {
    std::erase_if(t, [](char c) { return static_cast<unsigned char>(c) <= ' '; });
    return t;
  };
  for (std::size_t at = 0; at < lines.size(); at += 256) {
    const std::string line = QString::fromLatin1(lines.substr(at, 253)).toStdString();
    EXPECT_NE(squeezed(text).find(squeezed(line)), std::string::npos) << line;
  }
}

class ReportRuns : public testing::TestWithParam<RunRow> {};

TEST_P(ReportRuns, TellWhatTheyDidAndKeepEveryEntry) {
  const RunRow& row = GetParam();
  FaultPlan plan;
  Controller w(row.recordings);
  const std::string pdf = w.reportFile() + ".pdf";
  w.platform.answer = row.pdf == FolderShown || row.pdf == FolderNotShown;
  w.platform.openFails = row.pdf == FolderNotShown;
  if (row.pdf == NameTaken) w.folder.write(w.sub + "/" + kReportName + ".pdf", "mio");
  w.platform.onMessage = [&](const Message& m) {  // the PDF's write, the first after it
    if (row.pdf == DiskFull && m.text.starts_with("Sono state rilevate"))
      plan.failAt(faults::Op::Write, 1, ENOSPC);
  };
  if (row.earlier) std::filesystem::create_symlink(w.folder.file("OdV"), w.reportFile());
  w.period(row.start, row.end);
  if (row.tick != nullptr) w.click(row.tick);
  w.click("Cmd_Gp");

  EXPECT_EQ(w.said(), row.said);
  for (const Message& m : w.platform.messages)
    EXPECT_EQ(m.title, m.icon == Icon::Information ? kCaption : "KoV");
  EXPECT_RECORDS(w.recordings(), row.left);
  const std::string report = row.lines.empty() ? "" : kHeadingRecord + row.lines;
  EXPECT_RECORDS(w.report(), row.earlier ? row.recordings : report);
  EXPECT_EQ(isHidden(dataFileName(w.folder.path(), "\\OdV")), row.left == loggedRecord(kRemoved));
  EXPECT_EQ(w.find<QLabel>("N_Accessi")->text().toLongLong(), (row.left.size() + 255) / 256);
  EXPECT_EQ(w.text("Opz_KOV_3"), w.reportFolder + "\\");  // 200 characters
  EXPECT_TRUE(w.box("Dt_1")->hasFocus());

  // The question follows the PDF of a report written, and the PDF's message if it has one.
  const bool written = !report.empty() && !row.earlier;
  ASSERT_EQ(w.platform.asked.size(), written ? 1U : 0U);
  if (!written) return;
  const std::size_t before = w.platform.asked[0].first,
                    failed = row.pdf == NameTaken || row.pdf == DiskFull;
  EXPECT_TRUE(w.said().at(before - 1 - failed).starts_with("Sono state rilevate"));
  EXPECT_EQ(w.platform.asked[0].second.text,
            "Aprire la cartella del report?\n\r" + w.folder.file(w.sub));
  EXPECT_EQ(w.platform.opened,
            std::vector<std::string>(row.pdf == FolderShown, w.folder.file(w.sub)));
  if (row.pdf == NameTaken) {
    EXPECT_EQ(readBytes(pdf), "mio");  // nothing written over
  } else if (row.pdf == DiskFull) {
    EXPECT_FALSE(std::filesystem::exists(pdf));  // nothing half-written left
  } else {
    expectPdfOf(pdf, row.lines);
  }
}

INSTANTIATE_TEST_SUITE_P(, ReportRuns, testing::ValuesIn(kRuns), RowName());

}  // namespace
}  // namespace kov
