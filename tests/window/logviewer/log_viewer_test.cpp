#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTableView>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "cores/logview/log_fields.h"
#include "support/report_files.h"
#include "support/window.h"
#include "window/logviewer/log_viewer.h"

namespace kov {
namespace {

using namespace test;

std::string entry(const char* flagDateTime, const char* workstation, const char* account,
                  const std::string& description) {
  return storedRecord(flagDateTime + pad(workstation, 14) + pad(account, 20) + description);
}

// Each column orders the rows differently; records 1 and 4 tie by account, 1 and 5 by
// workstation.
const std::string kLog =
    entry("N20/12/202610:00:00", "PC-02", "admin", "Riavvio") +
    entry("S01/12/202608:30:00", "pc-03", "Titolare", "backup") + storedRecord("N1/12/2026") +
    entry("N15/12/202623:59:59", "PC-01", "ADMIN", "=Controllo") +
    entry("S20/12/202609:15:00", "PC-02", "Bruno", "aggiornamento \xE8 \"fatto\"; ok");

// The viewer on a recordings file, shown and active.
struct Viewer {
  TempFolder folder;
  FakePlatform platform;
  std::unique_ptr<LogViewer> window;

  explicit Viewer(const std::string& recordings) {
    folder.write("OdV", recordings);
    window = std::make_unique<LogViewer>(platform, folder.file("OdV"), "", nullptr);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(QTest::qWaitFor([this] { return count().startsWith("Scritture mostrate"); }));
  }
  QTableView* table() const { return control<QTableView>(window.get(), "Scritture"); }
  QString count() const { return control<QLabel>(window.get(), "Conteggio")->text(); }
  // The rows' numbers in their order, once the list has followed what was asked.
  QStringList records() const {
    QStringList numbers;
    const auto* pause = window->findChild<QTimer*>("Pausa");
    static_cast<void>(QTest::qWaitFor(
        [&] { return !pause->isActive() && count().startsWith("Scritture mostrate"); }));
    for (int row = 0; row < table()->model()->rowCount(); ++row) {
      numbers.append(table()->model()->index(row, 0).data().toString());
    }
    return numbers;
  }
  void clickHeading(LogColumn column) const {
    QHeaderView* header = table()->horizontalHeader();
    const int at = static_cast<int>(column);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      {header->sectionViewportPosition(at) + 4, header->height() / 2});
  }
};

// Answers the modal dialogs as they come up, one answer each, in order.
class Answers {
 public:
  explicit Answers(std::vector<std::function<void(QWidget*)>> answers)
      : answers_(std::move(answers)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || modal == answered_ || answers_.empty()) return;
      answered_ = modal;
      // From a timer of its own: this one must keep polling while the answer's own modal runs.
      QTimer::singleShot(0, modal, [modal, answer = answers_.front()] { answer(modal); });
      answers_.erase(answers_.begin());
    });
    poll_.start(20);
  }
  bool done() const { return answers_.empty(); }

 private:
  std::vector<std::function<void(QWidget*)>> answers_;
  QWidget* answered_ = nullptr;
  QTimer poll_;
};

// Alt+E (the CSV) or Alt+P (the PDF), and the export's dialogs answered.
void exportRows(const LogViewer* window, const Answers& answers, Qt::Key key = Qt::Key_E) {
  QTest::keyClick(const_cast<LogViewer*>(window), key, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return answers.done(); }));
}

// The save dialog's answer, typed: the folder, Enter to go there, the name, Enter.
std::function<void(QWidget*)> saveAs(const std::string& folder, const std::string& name) {
  return [folder, name](QWidget* dialog) {
    auto* box = control<QLineEdit>(dialog, "fileNameEdit");
    for (const std::string& part : {folder + "/", name}) {
      QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(box, QString::fromStdString(part));
      if (QWidget* completions = QApplication::activePopupWidget()) {
        QTest::keyClick(completions, Qt::Key_Escape);
      }
      QTest::keyClick(box, Qt::Key_Return);
    }
  };
}

// A click on a heading orders by its column, ascending (the number, ordered at first, turns
// descending); a second click reverses it. Damaged records follow the entries.
TEST(LogViewer, OrdersByAClickOnEachHeading) {
  const struct {
    const char* name;
    LogColumn column;
    int clicks = 1;
    QStringList records;
  } rows[] = {
      {.name = "ByRecordNumber", .column = LogColumn::Record, .records = {"5", "4", "3", "2", "1"}},
      {.name = "ByDate", .column = LogColumn::Date, .records = {"2", "4", "5", "1", "3"}},
      {.name = "ByDateReversed",
       .column = LogColumn::Date,
       .clicks = 2,
       .records = {"1", "5", "4", "2", "3"}},
      {.name = "ByTime", .column = LogColumn::Time, .records = {"2", "5", "1", "4", "3"}},
      {.name = "ByWorkstation",
       .column = LogColumn::Workstation,
       .records = {"4", "1", "5", "2", "3"}},
      {.name = "ByAccount", .column = LogColumn::Account, .records = {"1", "4", "5", "2", "3"}},
      {.name = "ByDescription",
       .column = LogColumn::Description,
       .records = {"4", "5", "2", "1", "3"}},
      {.name = "ByReportedMark",
       .column = LogColumn::Reported,
       .records = {"1", "4", "2", "5", "3"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Viewer v(kLog);
    for (int i = 0; i < row.clicks; ++i) v.clickHeading(row.column);
    EXPECT_EQ(v.records(), row.records);
  }
}

// A description of 199 characters is read whole in the detail and in the cell's tool tip; Tab
// goes through every control in order.
TEST(LogViewer, ShowsTheSelectedEntryWholeAndTabsThroughEveryControl) {
  std::string description;
  while (description.size() < 199)
    description += "parola" + std::to_string(description.size()) + " ";
  description.resize(199);
  const Viewer v(entry("S04/12/202609:05:03", "PC-01", "Admin", description));
  QTest::keyClick(v.window.get(), Qt::Key_S, Qt::AltModifier);
  QTest::keyClick(v.table(), Qt::Key_Down);
  QStringList detail;
  for (int c = 0; c < 5; ++c) {
    detail.append(
        control<QLabel>(v.window.get(), ("Dettaglio_" + std::to_string(c)).c_str())->text());
  }
  detail.append(control<QPlainTextEdit>(v.window.get(), "Dettaglio_5")->toPlainText());
  detail.append(control<QLabel>(v.window.get(), "Dettaglio_6")->text());
  const QString whole = QString::fromStdString(description);
  EXPECT_EQ(detail, QStringList({"1", "04/12/2026", "09:05:03", "PC-01", "Admin", whole, "S"}));
  EXPECT_EQ(v.table()->model()->index(0, 5).data(Qt::ToolTipRole), "<p>" + whole + "</p>");
  QStringList order;
  for (int i = 0; i < 7; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order.append(QApplication::focusWidget()->objectName());
  }
  EXPECT_EQ(order,
            QStringList({"Dettaglio_5", "EsportaCSV", "EsportaPDF", "Chiudi", "Da", "A", "Cerca"}));
}

// Ctrl+C copies the selected rows whole, tab-separated, one line each.
TEST(LogViewer, CtrlCCopiesTheSelectedRowsWhole) {
  const Viewer v(kLog);
  QTest::keyClick(v.window.get(), Qt::Key_S, Qt::AltModifier);
  QTest::keyClick(v.table(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(v.table(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(),
            "1\t20/12/2026\t10:00:00\tPC-02\tadmin\tRiavvio\tN\n"
            "2\t01/12/2026\t08:30:00\tpc-03\tTitolare\tbackup\tS\n");
}

// The rows shown, in their order, go to a CSV file that takes the place of a link, never
// writing through it, once the save dialog's question is answered; a formula stays text.
TEST(LogViewer, ExportsTheRowsShownToCsvInTheirOrder) {
  const Viewer v(kLog);
  v.clickHeading(LogColumn::Date);
  QTest::keyClicks(control<QLineEdit>(v.window.get(), "Da"), "02122026");
  v.folder.write("Altro.csv", "altro");
  std::filesystem::create_symlink(v.folder.file("Altro.csv"), v.folder.file("Registro.csv"));
  const Answers answers({saveAs(v.folder.path(), "Registro.csv"), [](QWidget* question) {
                           QTest::mouseClick(
                               qobject_cast<QMessageBox*>(question)->button(QMessageBox::Yes),
                               Qt::LeftButton);
                         }});
  EXPECT_EQ(v.records(), QStringList({"4", "5", "1", "3"}));
  exportRows(v.window.get(), answers);
  EXPECT_EQ(v.folder.read("Registro.csv"),
            "\xEF\xBB\xBFRiga;Data;Ora;WorkStation;Account Utente;Descrizione;Nel report\r\n"
            "4;15/12/2026;23:59:59;PC-01;ADMIN;'=Controllo;N\r\n"
            "5;20/12/2026;09:15:00;PC-02;Bruno;\"aggiornamento \xC3\xA8 \"\"fatto\"\"; ok\";S\r\n"
            "1;20/12/2026;10:00:00;PC-02;admin;Riavvio;N\r\n"
            "3;;;;;danneggiata;\r\n");
  EXPECT_EQ(v.folder.read("Altro.csv"), "altro");
  EXPECT_FALSE(std::filesystem::is_symlink(v.folder.file("Registro.csv")));
  EXPECT_TRUE(v.platform.messages.empty());
}

// The rows shown, in their order, as a PDF in the report's form: the filters and the
// recordings file in the heading, the lines to sign on after the rows.
TEST(LogViewer, ExportsTheRowsShownToPdfUnderTheirFilters) {
  const Viewer v(kLog);
  v.clickHeading(LogColumn::Date);
  QTest::keyClicks(control<QLineEdit>(v.window.get(), "Cerca"), "pc-02");
  EXPECT_EQ(v.records(), QStringList({"5", "1"}));
  exportRows(v.window.get(), Answers({saveAs(v.folder.path(), "Registro.pdf")}), Qt::Key_P);
  const std::string text = pdfText(v.folder.file("Registro.pdf"));
  for (const std::string line :
       {"Registro delle operazioni dell'Amministratore di Sistema", "Postazione: PC-UFFICIO",
        "Periodo: dalla prima scrittura all'ultima", "Solo le scritture che contengono: \"pc-02\"",
        "Esportato dal Registro delle operazioni il 04/12/2026 alle 09:05:03",
        "Scritture riportate: 2", "Luogo e data", "Firma del Titolare del Trattamento"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_NE(text.find("File delle rilevazioni: " + v.folder.file("OdV")), std::string::npos);
  EXPECT_LT(text.find("aggiornamento \xC3\xA8 \"fatto\"; ok"), text.find("Riavvio"));
  EXPECT_NE(text.find("Riavvio"), std::string::npos);
  EXPECT_EQ(text.find("backup"), std::string::npos);
  EXPECT_TRUE(v.platform.messages.empty());
}

// More rows than a report's PDF holds get no PDF, and a message that says why.
TEST(LogViewer, RefusesAPdfOfMoreRowsThanAReportHolds) {
  std::string log;
  for (int n = 0; n < 32768; ++n) log += entry("N01/12/202610:00:00", "PC-01", "Admin", "Riavvio");
  const Viewer v(log);
  exportRows(v.window.get(), Answers({saveAs(v.folder.path(), "Registro.pdf")}), Qt::Key_P);
  EXPECT_EQ(
      v.platform.texts(),
      std::vector<std::string>{"Il file non \xE8 stato scritto: " + v.folder.file("Registro.pdf") +
                               "\n\rle righe mostrate sono 32768, il PDF ne contiene al "
                               "massimo 32767"});
  EXPECT_FALSE(std::filesystem::exists(v.folder.file("Registro.pdf")));
}

// A CSV export into the viewer's folder "export", made to fail, says why with `error` to the
// user it runs as, and leaves nothing in the folder.
void exportFails(const Viewer& v, const std::string& error) {
  const std::string folder = v.folder.file("export");
  {
    const Unprivileged user(v.folder);
    exportRows(v.window.get(), Answers({saveAs(folder, "Registro.csv")}));
  }
  EXPECT_EQ(v.platform.texts(), std::vector<std::string>{"Il file non \xE8 stato scritto: " +
                                                         folder + "/Registro.csv\n\r" + error});
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST(LogViewer, AnExportIntoAFolderThatMayOnlyBeReadSaysWhy) {
  const Viewer v(kLog);
  v.folder.makeFolder("export");
  v.folder.setOwnerAccess("export", 5);
  exportFails(v, "70-Autorizzazione negata");
}

// The disk is a tmpfs of one page; mounting it needs root.
TEST(LogViewer, AnExportThatFillsTheDiskSaysWhy) {
  std::string log;
  for (int n = 0; n < 200; ++n) log += entry("N01/12/202610:00:00", "PC-01", "Admin", "Riavvio");
  const Viewer v(log);
  v.folder.makeFolder("export");
  const std::string folder = v.folder.file("export");
  if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=4096") != 0) {
    GTEST_SKIP() << "no tmpfs here: " << std::strerror(errno);
  }
  exportFails(v, "61-Disco pieno");
  ::umount2(folder.c_str(), MNT_DETACH);
}

long peakKiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// 4,194,304 entries (1 GiB), opened in a process of their own: the peak memory grows by less
// than 30 bytes a record (the index, the row numbers, the list's row heights), the largest
// number fits its column, and a key typed in "Cerca" is shown at once, the list following it
// after a pause, on a thread of its own (the viewer closes without waiting for its end). The
// process goes without the sanitizer's quarantine of freed blocks, which would hide what the
// viewer itself holds.
TEST(LogViewer, OpensTheLargestFileInLittleMemoryAndTypingNeverWaits) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const char* options = std::getenv("ASAN_OPTIONS");
  const std::string kept = options == nullptr ? "" : options;
  ::setenv("ASAN_OPTIONS", (kept + ":quarantine_size_mb=0").c_str(), 1);
  EXPECT_EXIT(
      {
        TempFolder folder;
        std::string piece;
        for (int n = 0; n < 4096; ++n) {
          piece += entry("N01/12/202610:00:00", "PC-01", "Admin", "Backup verificato");
        }
        {
          std::ofstream out(folder.file("OdV"), std::ios::binary);
          for (int n = 0; n < 1024; ++n) out.write(piece.data(), std::ssize(piece));
        }
        const long before = peakKiB();
        FakePlatform platform;
        LogViewer viewer(platform, folder.file("OdV"), "", nullptr);
        viewer.show();
        auto* count = control<QLabel>(&viewer, "Conteggio");
        const QString all = "Scritture mostrate: 4194304 di 4194304";
        const bool opened = QTest::qWaitFor([&] { return count->text() == all; }, 120000);
        auto* table = control<QTableView>(&viewer, "Scritture");
        table->scrollToBottom();
        const bool fits =
            static_cast<QAbstractItemView*>(table)->sizeHintForColumn(0) <= table->columnWidth(0);
        auto* search = control<QLineEdit>(&viewer, "Cerca");
        QTest::keyClick(search, Qt::Key_X);
        const bool shownFirst = search->text() == "x" && count->text() == all;
        const bool followed =
            QTest::qWaitFor([&] { return count->text() == "Ricerca in corso\u2026"; });
        const long grown = peakKiB() - before;
        std::fprintf(stderr, "opened %d, fits %d, shown first %d, followed %d, grown %ld KiB\n",
                     opened, fits, shownFirst, followed, grown);
        std::_Exit(opened && fits && shownFirst && followed && grown < 120 * 1024 ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
  ::setenv("ASAN_OPTIONS", kept.c_str(), 1);
}

}  // namespace
}  // namespace kov
