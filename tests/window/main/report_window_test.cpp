#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QProgressDialog>
#include <QSignalSpy>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "runtime/file.h"
#include "support/controller_window.h"
#include "support/fault_plan.h"
#include "window/platform/qt_platform.h"

namespace kov {
namespace {

using namespace test;

// A run of the report from the window: the messages, the recordings file, the report, and the
// PDF written beside it with the question whether to open it or their folder.
TEST(ReportWindow, RunsTellWhatTheyDidAndKeepEveryEntry) {
  const std::string a = entryText('N', "01/12/2026", "a"), b = entryText('N', "31/12/2026", "b");
  const std::string out1 = storedRecord(entryText('N', "30/11/2026", "fuori"));
  const std::string out2 = storedRecord(entryText('N', "01/01/2027", "fuori"));
  const std::string old = storedRecord(entryText('S', "10/11/2026", "vecchia"));
  const std::string reported = entryText('S', "12/12/2026", "c");
  const std::string blank = std::string(253, ' ') + "|\r\n";
  std::string dateHit = storedRecord(b), torn = storedRecord(b).substr(0, 100);
  dateHit[3] = 'A';
  torn.resize(256, '\0');
  // Records of every shape: fields at their width, codes kept, damaged ones told by number.
  const std::string code30 = entryText('N', "04/12/2026", "fine\x1E\x1E  ");
  const std::string barless = entryText('N', "10/12/2026", "senza barra"),
                    lfEnd = entryText('N', "10/12/2026", "LF");
  std::string shapes, marked, lines;
  for (const std::string& t :
       {a, entryText('N', "04/12/2026", std::string(200, 'x')),
        entryText('N', "04/12/2026", "copia | verifica", std::string(20, 'a')),
        entryText('N', "04/12/2026", "")})
    shapes += storedRecord(t), marked += markedRecord(t), lines += lineOf(t);
  // clang-format off
  for (const std::string& kept : {std::string(256, '\0'), blank, torn, dateHit, '\x01' + storedRecord(b).substr(1)}) {
    shapes += kept, marked += kept;
  }
  shapes += storedRecord(code30) + storedRecord(barless).substr(0, 253) + " \r\n" + storedRecord(lfEnd).substr(0, 254) + "\n\n";
  marked += storedRecord("S" + code30.substr(1, code30.size() - 2)) + markedRecord(barless) + markedRecord(lfEnd);
  lines += lineOf(code30) + lineOf(barless) + lineOf(lfEnd);
  // clang-format on
  std::string hundred, hundredMarked, hundredLines;  // two pages of PDF, a line wrapped
  for (int n = 1; n <= 100; ++n) {
    const std::string t =
        entryText('N', "04/12/2026",
                  "voce n. " + std::to_string(n) + " \xE8 ok" + std::string(n / 100 * 180, 'w'));
    hundred += storedRecord(t), hundredMarked += markedRecord(t), hundredLines += lineOf(t);
  }
  std::string many;  // 32,765 records reported long ago, one blank, one entry of the period
  for (int n = 1; n <= 32765; ++n) many += old;
  many += blank + storedRecord(b);
  const std::string created = confirmation(kCreated);
  const std::string removed = confirmation(kRemoved);
  const std::string found1 = "\x01";
  const std::string kept =
      "Il File delle operazioni non \xE8 stato Eliminato in quanto contiene "
      "righe danneggiate: viene conservato per poterle recuperare";
  const std::string nothing = "Non sono state trovate scritture per il periodo selezionato";
  const std::string order =
      "La Data di Fine del periodo deve essere superiore alla data di Inizio periodo";
  const std::string tooMany =
      "Il file delle rilevazioni contiene n. 32768 scritture: le versioni precedenti della "
      "procedura ne leggono al massimo 32767. Si consiglia di rimuoverlo con l'opzione "
      "\"Rimuovi i Report esistenti\" appena non ci sono pi\xF9 scritture da rilevare.";
  const struct {
    const char* name;
    std::string recordings;
    QString start, end;
    std::vector<const char*> ticks;
    std::vector<std::string> messages;
    std::string after, report;
    int pdf = 0;  // 1 the PDF opened, 2 the folder chosen but the desktop fails, 3 the disk fills
  } rows[] = {
      // clang-format off
      {"copies, marks, logs, warns", shapes + out1 + storedRecord(b) + out2 + storedRecord(reported) + blank, "01122026", "31122026", {"Rimuovi"},
       {damagedLine(6), damagedLine(7), damagedLine(8), trappedText("Cripta_Decripta", kBadCall), damagedLine(9), damagedLine(17), "\x08", created, leftText(2), kNotDeleted},
       marked + out1 + markedRecord(b) + out2 + storedRecord(reported) + blank + loggedRecord(kCreated), lines + lineOf(b)},
      {"nothing copied, removed", old, "01122026", "31122026", {"Rimuovi"}, {nothing, kDeleted, removed}, loggedRecord(kRemoved), ""},
      {"a torn tail, removed", storedRecord(a) + storedRecord(a).substr(0, 100), "01122026", "31122026", {"Rimuovi"}, {found1, created, kDeleted, removed}, loggedRecord(kRemoved), lineOf(a)},
      {"a date hit, kept", storedRecord(a) + dateHit, "01122026", "31122026", {"Rimuovi"}, {damagedLine(2), found1, created, kept}, markedRecord(a) + dateHit + loggedRecord(kCreated), lineOf(a)},
      {"reported ones asked for", storedRecord(reported), "01122026", "31122026", {"Anche_gia_Lette"}, {found1, created}, storedRecord(reported) + loggedRecord(kCreated), lineOf(reported)},
      {"end before start", storedRecord(a), "31122026", "01122026", {}, {order, nothing, leftText(1)}, storedRecord(a), ""},
      {"two-digit years", storedRecord(a), "011226", "311226", {}, {found1, created}, markedRecord(a) + loggedRecord(kCreated), lineOf(a)},
      {"a hundred, the PDF opened", hundred, "01122026", "31122026", {}, {"\x64", created}, hundredMarked + loggedRecord(kCreated), hundredLines, 1},
      {"the folder chosen, the desktop fails", storedRecord(a), "01122026", "31122026", {}, {found1, "OPEN", created}, markedRecord(a) + loggedRecord(kCreated), lineOf(a), 2},
      {"the disk fills during the PDF", storedRecord(a), "01122026", "31122026", {}, {found1, "PDF61-Disco pieno", created}, markedRecord(a) + loggedRecord(kCreated), lineOf(a), 3},
      {"over 32,767 records", many, "01122026", "31122026", {}, {damagedLine(32766), found1, created, tooMany}, many.substr(0, 32766U * 256) + markedRecord(b) + loggedRecord(kCreated), lineOf(b)},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::FaultPlan plan;
    Controller w(row.recordings);
    const std::string folder = w.folder.file(w.sub), pdf = w.reportFile() + ".pdf";
    if (row.pdf <= 2 && row.pdf > 0) w.platform.choice = row.pdf - 1;  // the PDF, the folder
    w.platform.openFails = row.pdf == 2;
    w.platform.onMessage = [&](const Message& m) {  // the PDF's write, the first after it
      if (row.pdf == 3 && m.text == w.found(1)) plan.failAt(faults::Op::Write, 1, ENOSPC);
    };
    w.period(row.start, row.end);
    EXPECT_EQ(w.platform.beeps, row.name == std::string("end before start") ? 1 : 0);
    for (const char* tick : row.ticks) w.click(tick);
    w.click("Cmd_Gp");
    std::vector<std::string> expected = row.messages;
    for (std::string& m : expected) {
      if (m == "OPEN") m = "Non \xE8 stato possibile aprire la cartella " + folder;
      if (m.starts_with("PDF")) m = w.pdfFailed(m.substr(3));
      if (m.size() == 1) m = w.found(m[0]);
    }
    EXPECT_EQ(w.platform.texts(), expected);
    for (const Message& m : w.platform.messages)
      EXPECT_EQ(m.title, m.icon == Icon::Information ? kCaption : "KoV");
    EXPECT_TRUE(w.recordings() == row.after);
    EXPECT_EQ(w.report(), row.report.empty() ? "" : kHeadingRecord + row.report);
    EXPECT_EQ(isHidden(dataFileName(w.folder.path(), "\\OdV")),
              row.after == loggedRecord(kRemoved));
    EXPECT_EQ(w.find<QLabel>("N_Accessi")->text().toLongLong(), (row.after.size() + 255) / 256);
    EXPECT_EQ(w.text("Opz_KOV_3"), w.reportFolder + "\\");  // 200 characters
    EXPECT_TRUE(w.box("Dt_1")->hasFocus());
    // One question follows a report written, and its PDF's message if it has one.
    const bool written = !row.report.empty();
    ASSERT_EQ(w.platform.asked.size(), written ? 1U : 0U);
    if (!written) continue;
    const std::size_t after = w.platform.asked[0].first - (row.pdf == 3 ? 2 : 1);
    EXPECT_EQ(w.platform.texts().at(after).substr(0, 22), "Sono state rilevate n.");
    EXPECT_EQ(w.platform.asked[0].second.text,
              row.pdf == 3 ? "Aprire la cartella del report?\n\r" + folder
                           : "Il PDF del report, da stampare e firmare, \xE8 pronto:\n\r" + pdf);
    EXPECT_EQ(w.platform.offered, std::vector<std::vector<std::string>>(
                                      row.pdf != 3, {"Apri il PDF", "Apri la cartella", "Chiudi"}));
    EXPECT_EQ(w.platform.opened, std::vector<std::string>(row.pdf == 1, pdf));
    if (row.pdf == 3) {  // nothing half-written left
      EXPECT_FALSE(std::filesystem::exists(pdf));
      continue;
    }
    if (linuxOnly(row.name, "its PDF is read by pdftotext, a Linux program")) continue;
    const std::string text = pdfText(pdf);
    if (const char* pictures = std::getenv("KOV_SCREENSHOTS"); pictures && row.pdf == 1)
      std::filesystem::copy_file(pdf,
                                 std::string(pictures) + "/report.pdf",  // the README's picture
                                 std::filesystem::copy_options::overwrite_existing);
    const std::size_t copied = row.report.size() / 256;
    const std::string said[] = {"Registro delle operazioni dell'Amministratore di Sistema",
                                "Postazione: PC-01", "Periodo: dal 01/12/2026 al 31/12/2026",
                                "Report generato il 04/12/2026 alle 09:05:03 da Titolare",
                                "Scritture riportate: " + std::to_string(copied)};
    for (const std::string& line : said) EXPECT_NE(text.find(line), std::string::npos) << line;
    // The report's real name and every entry's fields: pdftotext sets its own spaces, breaks
    // the 200-character folder's name and shows no control character.
    const auto squeezed = [](std::string t) {
      std::erase_if(t, [](char c) { return static_cast<unsigned char>(c) <= ' '; });
      return t;
    };
    EXPECT_NE(squeezed(text).find("Filedelreport:" + w.reportFile()), std::string::npos);
    for (std::size_t at = 0; at < row.report.size(); at += 256) {
      std::string line = QString::fromLatin1(row.report.substr(at, 253)).toStdString();
      for (const std::size_t bar : {56, 35, 20, 11, 0}) line.erase(bar, 1);
      EXPECT_NE(squeezed(text).find(squeezed(line)), std::string::npos) << line;
    }
  }
}

// The period picked beside the date boxes with the keyboard alone, then reported. Today is
// 04/12/2026 on the fake clock; the data controller's sign-in leaves the focus in Dt_1.
TEST(ReportWindow, APeriodPickedIsReportedAsIfTyped) {
  // clang-format off
  const std::string jun = entryText('N', "15/06/2025", "giugno"), nov = entryText('N', "30/11/2026", "novembre"),
                    dec1 = entryText('N', "01/12/2026", "dicembre"), dec13 = entryText('N', "13/12/2026", "tredici");
  // clang-format on
  const struct {
    const char* name;
    QString typed1, typed2;  // typed into Dt_1, then Tab, and into Dt_2
    const char* box;
    QKeyCombination opener;             // Key_unknown: a click on the box's picker
    std::vector<QKeyCombination> keys;  // in the pop-up, then in the window
    std::string from, to;
    const char* focus;
    std::vector<std::string> lines;  // of the report; none: no period keys
  } rows[] = {
      // clang-format off
      {"F4, arrows, Enter", "01122026", "", "Dt_2", Qt::Key_F4, {Qt::Key_Right, Qt::Key_Down, Qt::Key_Enter}, "01/12/2026", "12/12/2026", "Dt_2", {dec1}},
      {"on the box's date", "01122026", "150127", "Dt_2", Qt::ALT | Qt::Key_Down, {Qt::Key_Left, Qt::Key_Return}, "01/12/2026", "14/01/2027", "Dt_2", {dec1, dec13}},
      {"a click, then Enter, in the box not left", "01122026", "31122026", "Dt_1", Qt::Key_unknown, {Qt::Key_Right, Qt::Key_Enter}, "02/12/2026", "31/12/2026", "Dt_1", {dec1, dec13}},
      {"Escape", "", "", "Dt_1", Qt::Key_F4, {Qt::Key_Right, Qt::Key_Escape, Qt::Key_D, Qt::Key_Tab}, "04/12/2026", "  /  /    ", "Dt_2", {}},
      {"Mese scorso", "", "", "Dt_1", Qt::Key_F4, {Qt::ALT | Qt::Key_M}, "01/11/2026", "30/11/2026", "Dt_1", {nov}},
      {"Questo mese", "31122026", "01", "Dt_2", Qt::Key_F4, {Qt::ALT | Qt::Key_Q}, "01/12/2026", "31/12/2026", "Dt_1", {dec1, dec13}},
      {"Anno scorso over a period out of order", "31122026", "01122026", "Dt_2", Qt::Key_F4, {Qt::ALT | Qt::Key_A}, "01/01/2025", "31/12/2025", "Dt_1", {jun}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Controller w(stored({jun, nov, dec1, dec13}));
    if (!row.typed1.isEmpty()) w.keys("Dt_1", row.typed1), w.tab("Dt_1");
    w.keys("Dt_2", row.typed2);
    if (row.opener.key() == Qt::Key_unknown)
      w.click(("Pick_" + std::string(row.box)).c_str());
    else
      QTest::keyClick(w.box(row.box), row.opener.key(), row.opener.keyboardModifiers());
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    for (const QKeyCombination key : row.keys) {
      QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
      w.settle();
    }
    // An access key clicks its button after the button has shown itself pressed.
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
    EXPECT_TRUE(w.box(row.focus)->hasFocus());
    EXPECT_EQ(toCp1252(w.box("Dt_1")->displayText() + " " + w.box("Dt_2")->displayText()),
              row.from + " " + row.to);
    w.click("Cmd_Gp");
    const std::string name =
        row.to.substr(6) + row.to.substr(3, 2) + row.to.substr(0, 2) + "_0905_Log.txt";
    std::string report = kHeadingRecord, files;
    for (const std::string& line : row.lines) report += lineOf(line);
    for (const auto& file : std::filesystem::directory_iterator(w.folder.file(w.sub))) {
      if (file.path().extension() == ".pdf") continue;  // the report's PDF is tested on its own
      files += file.path().filename().string() + readBytes(file.path().string());
    }
    EXPECT_EQ(files, row.lines.empty() ? "" : name + report);
    // No message before the run's first: a preset never shows half a period.
    EXPECT_EQ(
        w.platform.texts().at(0),
        row.lines.empty() ? kNoPeriod : foundText(row.lines.size(), w.reportFolder + "\\" + name));
  }
}

// A file, a link or a folder at a name the run creates (the report, its PDF, the new recordings
// file beside the old one) is never written through: every other entry of the program folder
// stays byte for byte and nothing appears where a link points. The run goes as far as it may,
// and the removal clears its own name, where a stopped run may have left a file.
TEST(ReportWindow, NothingPlantedAtANameTheRunCreatesIsWrittenThrough) {
  if (linuxOnly("links planted", "wine makes no links")) return;
  enum Place { Report, Pdf, Beside };
  enum Plant { AFile, AHardLink, ALink, ALinkToNowhere, AFolder };
  const std::string a = entryText('N', "10/12/2026", "a");
  const std::string k75 = "75-Errore di accesso al percorso/file";
  const std::string created = confirmation(kCreated), removed = confirmation(kRemoved);
  for (const Place place : {Report, Pdf, Beside}) {
    for (const Plant plant : {AFile, AHardLink, ALink, ALinkToNowhere, AFolder}) {
      SCOPED_TRACE(testing::Message() << "place " << place << ", plant " << plant);
      Controller w(storedRecord(a));
      const bool folder = plant == AFolder;
      // By place, then a folder beside the recordings file: the messages and the recordings file.
      const std::pair<std::vector<std::string>, std::string> runs[] = {
          {{folder ? trappedText("Rw_Record", k75)
                   : "Esiste gi\xE0 un report con il nome " + w.reportFolder + "\\" + kReportName +
                         ": attendere il minuto successivo e ripetere la generazione",
            leftText(1), kNotDeleted},
           storedRecord(a)},
          {{w.found(1), w.pdfFailed(folder ? k75 : "58-File gi\xE0 esistente"), created, kDeleted,
            removed},
           loggedRecord(kRemoved)},
          {{w.found(1), created, kDeleted, removed}, loggedRecord(kRemoved)},
          {{w.found(1), created, trappedText("Cmd_Gp_Click", k75)},
           markedRecord(a) + loggedRecord(kCreated)}};
      const auto& [said, recordings] = folder && place == Beside ? runs[3] : runs[place];
      const std::string report = w.sub + "/" + kReportName;
      const std::string names[] = {report, report + ".pdf", "OdV.nuovo"};
      const std::string planted = w.folder.file(names[place]);
      if (plant == AFile) w.folder.write(names[place], "mio");
      if (plant == AHardLink) std::filesystem::create_hard_link(w.folder.file("TdT"), planted);
      if (plant == ALink || plant == ALinkToNowhere)
        std::filesystem::create_symlink(w.folder.file(plant == ALink ? "TdT" : "nowhere"), planted);
      if (folder) w.folder.makeFolder(names[place]);
      Entries before = entriesUnder(w.folder.path());
      w.period("01122026", "31122026");
      w.click("Rimuovi");
      w.click("Cmd_Gp");
      EXPECT_EQ(w.platform.texts(), said);
      Entries after = entriesUnder(w.folder.path());
      before["OdV"] = recordings;
      for (int made = 0; made < place; ++made) after.erase(names[made]);  // report, PDF
      after.erase("KoV.catena");  // the state of the copies' chain
      if (place == Beside && !folder) before.erase(names[Beside]);
      EXPECT_EQ(firstDifference(before, after), "");
    }
  }
}

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
  w.signIn(0, "Admin", "password1");
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
  w.signIn(1, "Titolare", "segreto99");
  w.period("01122026", "31122026");
  w.click("Rimuovi");
  ok = "Cmd_Gp";
  hold();
  w.click(ok);
  EXPECT_EQ(
      w.platform.texts(),
      (std::vector<std::string>{"Il file delle rilevazioni \xE8 in uso da un altro programma: la "
                                "scrittura non \xE8 stata salvata. Riprovare tra qualche istante.",
                                confirmation(kBackup, "Admin"), w.found(1), confirmation(kCreated),
                                kDeleted, confirmation(kRemoved)}));
  EXPECT_EQ(w.recordings(), loggedRecord(kRemoved));
  EXPECT_TRUE(w.window->isVisible());
}

}  // namespace
}  // namespace kov
