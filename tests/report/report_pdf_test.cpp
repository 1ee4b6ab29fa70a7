#include <gtest/gtest.h>

#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "report/controller_window.h"
#include "support/fault_plan.h"
#include "window/qt_platform.h"
#include "window/translations.h"

namespace kov {
namespace {

using namespace test;

// The text pdftotext reads in a PDF, lines laid out as on the page.
std::string pdfText(const std::string& pdf) {
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QString::fromStdString(pdf), QStringLiteral("-")});
  EXPECT_TRUE(reader.waitForFinished()) << "pdftotext";
  return reader.readAllStandardOutput().toStdString();
}

// A report run offers its PDF and its folder after the message that names the report.
TEST(ReportPdf, FollowsTheReportWithoutChangingIt) {
  std::vector<std::string> texts;
  for (int n = 1; n <= 99; ++n)
    texts.push_back(entryText('N', "04/12/2026", "voce " + std::to_string(n)));
  texts.push_back(
      entryText('N', "05/12/2026", "verifica \xE8 ok " + std::string(180, 'w') + " fine"));
  const struct {
    const char* name;
    bool answer, openFails;
    int taken;                         // the PDF's name taken by 1 a folder, 2 a file
    std::vector<std::string> between;  // messages after the report's own
  } rows[] = {
      // clang-format off
      {"No opens nothing", false, false, 0, {}},
      {"Yes opens the report's folder", true, false, 0, {}},
      {"the desktop cannot open it", true, true, 0, {"Non \xE8 stato possibile aprire la cartella "}},
      {"a folder bears the PDF's name", false, false, 1, {"75-Errore di accesso al percorso/file"}},
      {"a file bears the PDF's name", false, false, 2, {"58-File gi\xE0 esistente"}},
      {"the disk is full", false, false, 3, {"61-Disco pieno"}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Controller w(stored(texts));
    w.platform.answer = row.answer;
    w.platform.openFails = row.openFails;
    const std::string pdf = w.reportFile() + ".pdf";
    if (row.taken == 1) std::filesystem::create_directory(pdf);
    if (row.taken == 2) w.folder.write(w.sub + "/" + kReportName + ".pdf", "mio");
    w.platform.onMessage = [&](const Message& m) {  // the PDF's write, the first after it
      if (row.taken == 3 && m.text == w.found(100)) faults::failAt(faults::Op::Write, 1, ENOSPC);
    };
    w.period("01122026", "31122026");
    w.click("Cmd_Gp");
    faults::reset();

    const std::string folder = w.folder.file(w.sub);
    std::vector<std::string> expected = {w.found(100)};
    for (std::string m : row.between) {
      if (row.taken) m = w.pdfFailed(m);
      expected.push_back(m.ends_with(' ') ? m + folder : m);
    }
    expected.push_back(confirmation("PC-01", "Titolare", kCreated));
    EXPECT_EQ(w.platform.texts(), expected);
    ASSERT_EQ(w.platform.asked.size(), 1U);
    EXPECT_EQ(w.platform.asked[0].first, row.taken ? 2U : 1U);  // after the PDF's message
    EXPECT_EQ(w.platform.asked[0].second.text, "Aprire la cartella del report?\n\r" + folder);
    EXPECT_EQ(w.platform.opened, std::vector<std::string>(row.answer && !row.openFails, folder));

    std::string report = kHeadingRecord, marked;
    for (const std::string& t : texts) report += lineOf(t), marked += markedRecord(t);
    EXPECT_EQ(w.report(), report);
    EXPECT_TRUE(w.recordings() == marked + loggedRecord(kCreated));
    if (row.taken) {
      const bool kept = row.taken == 1   ? std::filesystem::is_empty(pdf)
                        : row.taken == 2 ? readBytes(pdf) == "mio"
                                         : !std::filesystem::exists(pdf);
      EXPECT_TRUE(kept);
      continue;
    }
    const std::string text = pdfText(pdf);
    if (const char* pictures = std::getenv("KOV_SCREENSHOTS"))  // the README's picture
      std::filesystem::copy_file(pdf, std::string(pictures) + "/report.pdf",
                                 std::filesystem::copy_options::overwrite_existing);
    for (const char* line : {"Registro delle operazioni dell'Amministratore di Sistema",
                             "Postazione: PC-01", "Periodo: dal 01/12/2026 al 31/12/2026",
                             "Report generato il 04/12/2026 alle 09:05:03 da Titolare",
                             "Scritture riportate: 100", "Pagina 1 di 2", "Pagina 2 di 2"})
      EXPECT_NE(text.find(line + std::string("\n")), std::string::npos) << line;
    // Every line of the report, whole: pdftotext sets its own spaces between the fields.
    const auto squeezed = [](std::string t) {
      std::erase_if(t, [](char c) { return c == ' ' || c == '\n'; });
      return t;
    };
    for (std::size_t at = 0; at < report.size(); at += 256) {
      const std::string line = QString::fromLatin1(report.substr(at, 253)).toStdString();
      EXPECT_NE(squeezed(text).find(squeezed(line)), std::string::npos) << line;
    }
  }
}

// The report folder of the parameters, shown in the desktop's file manager.
TEST(ReportPdf, OpensTheReportFolderOfTheParameters) {
  for (const bool present : {true, false}) {
    Controller w;
    const std::string folder = w.folder.file(w.sub);
    if (!present) std::filesystem::remove(folder);
    w.window->openReportFolder();
    EXPECT_EQ(w.platform.opened, std::vector<std::string>(present, folder));
    EXPECT_EQ(w.platform.texts(), std::vector<std::string>(!present, "La cartella dei report " +
                                                                         folder + " non esiste"));
    EXPECT_EQ(w.text("Opz_KOV_3"), w.reportFolder);  // the box as it was
  }
}

// The real question: Italian buttons, Enter and Escape answer No, only Yes says yes.
TEST(ReportPdf, TheRealQuestionAnswersNoUnlessYesIsPressed) {
  ASSERT_TRUE(installItalianTranslations(*QCoreApplication::instance()));
  QtPlatform platform;
  for (const int key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Y}) {
    QStringList buttons;
    QTimer::singleShot(50, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      for (QAbstractButton* button : box->buttons()) buttons.append(button->text());
      if (key == Qt::Key_Y) return box->button(QMessageBox::Yes)->click();
      QTest::keyClick(box, static_cast<Qt::Key>(key));
    });
    EXPECT_EQ(platform.ask("Aprire?", "KoV"), key == Qt::Key_Y);
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"&No", "&S\u00EC"}));
  }
}

}  // namespace
}  // namespace kov
