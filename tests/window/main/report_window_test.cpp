// Runs of the report from the window: the messages, the recordings file, the report, and the
// PDF written beside it with the question whether to open it or their folder; names the run
// creates, taken beforehand; the lock of the recordings file held by another program.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSignalSpy>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "runtime/file.h"
#include "support/controller_window.h"
#include "support/fault_plan.h"
#include "support/tables.h"
#include "window/platform/qt_platform.h"

namespace kov {
namespace {

using namespace test;

// What follows a report: its PDF and the question whether to open it or their folder, closed;
// or the PDF opened; or the folder chosen and the desktop failing; or the PDF not written.
enum class Pdf { Written, Opened, FolderNotShown, DiskFull };
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

// A hundred entries, the last one's description wrapped at its blanks.
Records hundred() {
  Records r;
  std::string wrapped;
  while (wrapped.size() < 180) wrapped += " regole di inoltro delle porte verificate";
  for (int n = 1; n <= 100; ++n)
    r.add(
        entryText('N', "04/12/2026",
                  "voce n. " + std::to_string(n) + " \xE8 ok" + wrapped.substr(0, n / 100 * 180)));
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
  Pdf pdf = Written;
  std::vector<std::string> said{};
  std::string left{};   // the recordings file afterwards
  std::string lines{};  // of the report after its heading; none: no report
  int pages = 1;        // of its PDF, the same on every machine: the font is the program's own
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
        .said = {found(1), kCreated},
        .left = storedRecord(c) + kLogged,
        .lines = lineOf(c),
    },
    {
        .name = "AHundredAndThePdfOpened",
        .recordings = kHundred.stored,
        .pdf = Opened,
        .said = {found(100), kCreated},
        .left = kHundred.marked + kLogged,
        .lines = kHundred.lines,
        .pages = 4,
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

// Runs of white space as one blank: what a text is when its words are kept whole.
QString words(QString text) {
  return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

// In the text pdftotext reads: "Pagina n di m" on each page, the column titles on each page
// with entries, the heading, the report's real name, every line of the report whole (pdftotext
// sets its own spaces, breaks the 200-character folder's name and shows no control character),
// the last description's words unbroken, then the lines to sign.
void expectPdfOf(const std::string& pdf, const std::string& report, const RunRow& row) {
  const std::string text = pdfText(pdf);
  const QStringList pages = QString::fromStdString(text).split('\f', Qt::SkipEmptyParts);
  EXPECT_EQ(pages.size(), row.pages);
  const QRegularExpression entry(QStringLiteral("\\d\\d/12/2026 09:05:03"));
  for (int n = 1; n <= pages.size(); ++n) {
    const QString page = words(pages[n - 1]);
    EXPECT_TRUE(page.contains(QStringLiteral("Pagina %1 di %2").arg(n).arg(row.pages))) << n;
    EXPECT_EQ(page.contains("DT Evento Ora WorkStation Account Utente Descrizione"),
              page.contains(entry))
        << n;
  }
  const QString all = words(QString::fromStdString(text));
  const qsizetype last = all.lastIndexOf(entry);
  EXPECT_GT(all.indexOf("Luogo e data Firma del Titolare del Trattamento", last), last);
  const std::string& lines = row.lines;
  const QString description = QString::fromLatin1(lines.substr(lines.size() - 256 + 57, 196));
  EXPECT_TRUE(all.contains(" " + description.trimmed() + " ")) << description.toStdString();
  QProcess fonts;
  fonts.start("pdffonts", {QString::fromStdString(pdf)});
  EXPECT_TRUE(fonts.waitForFinished() && fonts.readAllStandardOutput().contains("Bold"))
      << "a bold face for the heading";
  if (const char* pictures = std::getenv("KOV_SCREENSHOTS"))  // the README's picture
    std::filesystem::copy_file(pdf, std::string(pictures) + "/report.pdf",
                               std::filesystem::copy_options::overwrite_existing);
  const std::string said[] = {"Registro delle operazioni dell'Amministratore di Sistema",
                              "Postazione: PC-01", "Periodo: dal 01/12/2026 al 31/12/2026",
                              "Report generato il 04/12/2026 alle 09:05:03 da Titolare",
                              "Scritture riportate: " + std::to_string(lines.size() / 256)};
  for (const std::string& line : said) EXPECT_NE(text.find(line), std::string::npos) << line;
  const auto squeezed = [](std::string t) {
    std::erase_if(t, [](char c) { return static_cast<unsigned char>(c) <= ' '; });
    return t;
  };
  EXPECT_NE(squeezed(text).find("Filedelreport:" + report), std::string::npos);
  for (std::size_t at = 0; at < lines.size(); at += 256) {
    std::string line = QString::fromLatin1(lines.substr(at, 253)).toStdString();
    for (const std::size_t bar : {56, 35, 20, 11, 0}) line.erase(bar, 1);  // a table's columns
    EXPECT_NE(squeezed(text).find(squeezed(line)), std::string::npos) << line;
  }
}

class ReportRuns : public testing::TestWithParam<RunRow> {};

TEST_P(ReportRuns, TellWhatTheyDidAndKeepEveryEntry) {
  const RunRow& row = GetParam();
  FaultPlan plan;
  Controller w(row.recordings);
  const std::string pdf = w.reportFile() + ".pdf";
  if (row.pdf == Opened) w.platform.choice = 0;  // the PDF
  if (row.pdf == FolderNotShown) w.platform.choice = 1;
  w.platform.openFails = row.pdf == FolderNotShown;
  w.platform.onMessage = [&](const Message& m) {  // the PDF's write, the first after it
    if (row.pdf == DiskFull && m.text.starts_with("Sono state rilevate"))
      plan.failAt(faults::Op::Write, 1, ENOSPC);
  };
  w.period(row.start, row.end);
  if (row.tick != nullptr) w.click(row.tick);
  w.click("Cmd_Gp");

  EXPECT_EQ(w.said(), row.said);
  for (const Message& m : w.platform.messages)
    EXPECT_EQ(m.title, m.icon == Icon::Information ? kCaption : "KoV");
  EXPECT_RECORDS(w.recordings(), row.left);
  const std::string report = row.lines.empty() ? "" : kHeadingRecord + row.lines;
  EXPECT_RECORDS(w.report(), report);
  EXPECT_EQ(isHidden(dataFileName(w.folder.path(), "\\OdV")), row.left == loggedRecord(kRemoved));
  EXPECT_EQ(w.find<QLabel>("N_Accessi")->text().toLongLong(), (row.left.size() + 255) / 256);
  EXPECT_EQ(w.text("Opz_KOV_3"), w.reportFolder + "\\");  // 200 characters
  EXPECT_TRUE(w.box("Dt_1")->hasFocus());

  // One question follows a report written, and its PDF's message if it has one.
  ASSERT_EQ(w.platform.asked.size(), report.empty() ? 0U : 1U);
  if (report.empty()) return;
  const bool failed = row.pdf == DiskFull;
  const std::size_t before = w.platform.asked[0].first;
  EXPECT_TRUE(w.said().at(before - 1 - failed).starts_with("Sono state rilevate"));
  EXPECT_EQ(w.platform.asked[0].second.text,
            failed ? "Aprire la cartella del report?\n\r" + w.folder.file(w.sub)
                   : "Il PDF del report, da stampare e firmare, \xE8 pronto:\n\r" + pdf);
  EXPECT_EQ(w.platform.offered, std::vector<std::vector<std::string>>(
                                    !failed, {"Apri il PDF", "Apri la cartella", "Chiudi"}));
  EXPECT_EQ(w.platform.opened, std::vector<std::string>(row.pdf == Opened, pdf));
  if (failed) {
    EXPECT_FALSE(std::filesystem::exists(pdf));  // nothing half-written left
  } else if (!linuxOnly(row.name, "its PDF is read by pdftotext, a Linux program")) {
    expectPdfOf(pdf, w.reportFile(), row);
  }
}

INSTANTIATE_TEST_SUITE_P(Window, ReportRuns, testing::ValuesIn(kRuns), RowName());

// Where a name the run creates (the report, its PDF, the new recordings file beside the old one)
// is taken beforehand, and by what.
enum class Place { Report, ItsPdf, NewRecordings };
enum class Plant { File, HardLink, Link, LinkToNowhere, Folder };
const char* const kPlaces[] = {"Report", "ItsPdf", "NewRecordings"};
const char* const kPlants[] = {"File", "HardLink", "Link", "LinkToNowhere", "Folder"};

class PlantedNames : public testing::TestWithParam<std::tuple<Place, Plant>> {};

// What was planted is never written through: every other entry of the program folder stays
// byte for byte and nothing appears where a link points. The run goes as far as it may, and the
// removal clears its own name, where a stopped run may have left a file.
TEST_P(PlantedNames, AreNeverWrittenThrough) {
  const auto [place, plant] = GetParam();
  if (linuxOnly(kPlants[static_cast<int>(plant)], "wine makes no links")) return;
  const std::string e = entryText('N', "10/12/2026", "e");
  const std::string k75 = "75-Errore di accesso al percorso/file";
  const bool folder = plant == Plant::Folder;
  std::vector<std::string> said = {found(1), kCreated, kDeleted, confirmation(kRemoved)};
  std::string recordings = loggedRecord(kRemoved);
  if (place == Place::Report) {
    said = {folder ? trappedText("Rw_Record", k75)
                   : "Esiste gi\xE0 un report con il nome " + kFolder + "\\" + kReportName +
                         ": attendere il minuto successivo e ripetere la generazione",
            leftText(1), kNotDeleted};
    recordings = storedRecord(e);
  } else if (place == Place::ItsPdf) {
    said.insert(said.begin() + 1, pdfFailed(folder ? k75 : "58-File gi\xE0 esistente"));
  } else if (folder) {
    said = {found(1), kCreated, trappedText("Cmd_Gp_Click", k75)};
    recordings = markedRecord(e) + kLogged;
  }
  Controller w(storedRecord(e));
  const std::string report = w.sub + "/" + kReportName;
  const std::string names[] = {report, report + ".pdf", "OdV.nuovo"};
  const std::string& name = names[static_cast<int>(place)];
  const std::string planted = w.folder.file(name);
  if (plant == Plant::File) w.folder.write(name, "mio");
  if (plant == Plant::HardLink) std::filesystem::create_hard_link(w.folder.file("TdT"), planted);
  if (plant == Plant::Link) std::filesystem::create_symlink(w.folder.file("TdT"), planted);
  if (plant == Plant::LinkToNowhere)
    std::filesystem::create_symlink(w.folder.file("nowhere"), planted);
  if (folder) w.folder.makeFolder(name);
  Entries before = entriesUnder(w.folder.path());
  w.period("01122026", "31122026");
  w.click("Rimuovi");
  w.click("Cmd_Gp");
  EXPECT_EQ(w.said(), said);
  Entries after = entriesUnder(w.folder.path());
  before["OdV"] = recordings;
  for (int made = 0; made < static_cast<int>(place); ++made) after.erase(names[made]);
  after.erase("KoV.catena");  // the state of the copies' chain
  if (place == Place::NewRecordings && !folder) before.erase(name);
  EXPECT_EQ(firstDifference(before, after), "");
}

std::string placeAndPlant(const testing::TestParamInfo<std::tuple<Place, Plant>>& info) {
  return std::string(kPlaces[static_cast<int>(std::get<0>(info.param))]) +
         kPlants[static_cast<int>(std::get<1>(info.param))];
}
INSTANTIATE_TEST_SUITE_P(Window, PlantedNames,
                         testing::Combine(testing::Values(Place::Report, Place::ItsPdf,
                                                          Place::NewRecordings),
                                          testing::Values(Plant::File, Plant::HardLink, Plant::Link,
                                                          Plant::LinkToNowhere, Plant::Folder)),
                         placeAndPlant);

// Another program holds the lock of the recordings file (util-linux's flock, a second process).
// While KoV waits for it, the window's clock runs, a box says what it waits for, and a second Ok
// or a close is taken by nobody. An entry gives up while the lock is still held: nothing is
// written and the comment stays; saved again once the lock is free, it is written once. The
// entry of a report with removal, whose lock comes free while it waits, is written.
TEST(LockHeldElsewhere, TheWindowWaitsAliveAndGivesUpOrGoesOn) {
  if (linuxOnly("the lock held by flock", "flock is a Linux program")) return;
  const std::string old = storedRecord(entryText('S', "10/11/2026", "vecchia"));
  Controller w(old, false);
  w.show();
  QProcess holder;  // holds the lock for as long as cat runs, which echoes once it is held
  const auto hold = [&] {
    holder.start("flock", {"-x", QString::fromStdString(w.folder.file("OdV")), "cat"});
    EXPECT_TRUE(holder.write("x\n") == 2 && holder.waitForReadyRead()) << "no lock held";
  };
  QtPlatform desktop;
  w.platform.onWait = [&](const auto&... wait) { return desktop.waitFor(wait...); };
  const char* ok = "Cmd_Op";
  QString notice;
  QTimer during;
  QObject::connect(&during, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    notice = box->labelText();
    if (ok == std::string("Cmd_Gp")) holder.closeWriteChannel();
    w.click(ok);
    w.window->close();
  });
  during.start(100);
  w.signIn(Role::Administrator, "Admin", "password1");
  w.click("Op_Pi_0");  // the proposed wording of a checked backup
  hold();
  QSignalSpy clock(w.find<QTimer>("Timer1"), &QTimer::timeout);
  w.click(ok);
  EXPECT_GT(clock.count(), 2);
  EXPECT_EQ(notice, QString::fromUtf8(
                        "In attesa del file delle rilevazioni, in uso da un altro programma…"));
  EXPECT_EQ(w.recordings(), old);
  EXPECT_EQ(w.text("Opz_KOV_0") + w.find<QLabel>("N_Accessi")->text().toStdString(), kBackup + "1");
  holder.closeWriteChannel();
  holder.waitForFinished();
  w.click(ok);
  w.signIn(Role::Controller, "Titolare", "segreto99");
  w.period("01122026", "31122026");
  w.click("Rimuovi");
  ok = "Cmd_Gp";
  hold();
  w.click(ok);
  EXPECT_EQ(w.said(), (std::vector<std::string>{
                          "Il file delle rilevazioni \xE8 in uso da un altro programma: la "
                          "scrittura non \xE8 stata salvata. Riprovare tra qualche istante.",
                          confirmation(kBackup, "Admin"), found(1), kCreated, kDeleted,
                          confirmation(kRemoved)}));
  EXPECT_RECORDS(w.recordings(), loggedRecord(kRemoved));
  EXPECT_TRUE(w.window->isVisible());
}

}  // namespace
}  // namespace kov
