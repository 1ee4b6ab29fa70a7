#include <gtest/gtest.h>

#include <filesystem>

#include "report/controller_window.h"
#include "shell/runtime/file.h"

namespace kov {
namespace {

using test::Controller;
using test::entryText;
using test::kCaption;
using test::kCreated;
using test::kHeadingRecord;
using test::kNotDeleted;
using test::kRemoved;
using test::loggedRecord;
using test::markedRecord;
using test::reportedLine;
using test::storedRecord;

const std::string kConfirmation =
    "Il seguente messaggio \xE8 stato salvato nel file di log dell'Amministratore di Sistema ";
const std::string kDeleted = "Il File delle scritture \xE8 stato Eliminato";

std::string found(const Controller& w, int count) {
  return "Sono state rilevate n.  " + std::to_string(count) + " scritture in " + w.folder.path() +
         "\\report\\20261231_0905_Log.txt";
}

// The confirmation that the log writer shows ends with the logged description.
bool confirms(const std::string& message, const std::string& description) {
  return message.rfind(kConfirmation, 0) == 0 && message.size() >= description.size() &&
         message.compare(message.size() - description.size(), description.size(), description) == 0;
}

TEST(ReportWindow, ARunCopiesMarksLogsAndWarnsOfEntriesLeft) {
  const std::string a = entryText('N', "01/12/2026", "a");
  const std::string b = entryText('N', "31/12/2026", "b");
  const std::string before = entryText('N', "30/11/2026", "fuori");
  const std::string after = entryText('N', "01/01/2027", "fuori");
  const std::string reported = entryText('S', "12/12/2026", "c");
  const std::string blank = std::string(253, ' ') + "|\r\n";
  Controller w(storedRecord(a) + storedRecord(before) + storedRecord(b) + storedRecord(after) +
               storedRecord(reported) + blank);
  w.period("01122026", "31122026");
  w.click("Rimuovi");
  w.click("Cmd_Gp");

  const std::vector<std::string> texts = w.platform.texts();
  ASSERT_EQ(texts.size(), 5U);
  EXPECT_EQ(texts[0],
            "La riga <6> del file delle rilevazioni risulta corrotta.Verr\xE0 pertanto scartata.");
  EXPECT_EQ(texts[1], found(w, 2));
  EXPECT_TRUE(confirms(texts[2], kCreated)) << texts[2];
  EXPECT_EQ(texts[3], "Attenzione, Ci sono ancora n.< 2> scritture da rilevare");
  EXPECT_EQ(texts[4], kNotDeleted);
  for (const test::Message& m : w.platform.messages) {
    EXPECT_EQ(m.icon, Icon::Information);
    EXPECT_EQ(m.title, kCaption);
  }
  EXPECT_EQ(w.report(),
            kHeadingRecord + reportedLine("01/12/2026", "a") + reportedLine("31/12/2026", "b"));
  EXPECT_EQ(w.recordings(), markedRecord(a) + storedRecord(before) + markedRecord(b) +
                                storedRecord(after) + storedRecord(reported) + blank +
                                loggedRecord(kCreated));
  EXPECT_EQ(w.text("Opz_KOV_3"), w.folder.path() + "\\report\\");
  EXPECT_EQ(w.text("Opz_KOV_0"), "");
  EXPECT_TRUE(w.box("Dt_1")->hasFocus());
}

// With an entry copied this is FaultWalk's clean ReportRemoving run.
TEST(ReportWindow, RemovalWithNothingCopiedStartsTheRecordingsFileAnew) {
  Controller w(storedRecord(entryText('S', "10/11/2026", "vecchia")));
  w.period("01122026", "31122026");
  w.click("Rimuovi");
  w.click("Cmd_Gp");
  const std::vector<std::string> texts = w.platform.texts();
  ASSERT_EQ(texts.size(), 3U);
  EXPECT_EQ(texts[0], "Non sono state trovate scritture per il periodo selezionato");
  EXPECT_EQ(texts[1], kDeleted);
  EXPECT_TRUE(confirms(texts[2], kRemoved));
  EXPECT_FALSE(w.folder.exists("report/20261231_0905_Log.txt"));
  EXPECT_EQ(w.recordings(), loggedRecord(kRemoved));
  EXPECT_TRUE(isHidden(dataFileName(w.folder.path(), "\\OdV")));  // whatever its letter case
}

// A crash in the middle of an append left a torn record: the next append fills it, and the
// removal is still due. The counter then shows the one record of the new file.
TEST(ReportWindow, ATornTailDoesNotStopARemovalThatIsDue) {
  const std::string a = entryText('N', "10/12/2026", "a");
  Controller w(storedRecord(a) + storedRecord(a).substr(0, 100));
  w.period("01122026", "31122026");
  w.click("Rimuovi");
  w.click("Cmd_Gp");
  const std::vector<std::string> texts = w.platform.texts();
  ASSERT_EQ(texts.size(), 4U);
  EXPECT_EQ(texts[0], found(w, 1));
  EXPECT_TRUE(confirms(texts[1], kCreated)) << texts[1];
  EXPECT_EQ(texts[2], kDeleted);
  EXPECT_TRUE(confirms(texts[3], kRemoved)) << texts[3];
  EXPECT_EQ(w.report(), kHeadingRecord + reportedLine("10/12/2026", "a"));
  EXPECT_EQ(w.recordings(), loggedRecord(kRemoved));
  EXPECT_EQ(w.find<QLabel>("N_Accessi")->text(), "1");
}

// A damaged record that may hold a confirmed entry keeps the recordings file; one that
// cannot (a torn append filled with NULs, spaces only) does not.
TEST(ReportWindow, RemovalKeepsAFileWhoseDamagedRecordsMayHoldAnEntry) {
  const std::string a = entryText('N', "10/12/2026", "a");
  const std::string b = storedRecord(entryText('N', "11/12/2026", "b"));
  std::string dateHit = b;
  dateHit[3] = 'A';  // the "/" after the day
  std::string torn = b.substr(0, 100);
  torn.resize(256, '\0');
  // A copy that turned every CR LF into LF: the second 256 bytes begin inside b's date.
  std::string lfOnly;
  for (const std::string& record : {storedRecord(a), b, b}) lfOnly += record.substr(0, 254) + "\n";
  std::string lfOnlyMarked = lfOnly;
  lfOnlyMarked.replace(0, 253, markedRecord(a), 0, 253);
  const struct {
    const char* name;
    std::string recordings;
    std::string kept;  // the recordings file after the run, the logged entry aside
  } cases[] = {
      {"a record whose date was hit", storedRecord(a) + dateHit, markedRecord(a) + dateHit},
      {"records ended by LF only", lfOnly, lfOnlyMarked},
      {"an append torn by a crash, filled with NULs", storedRecord(a) + torn, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Controller w(c.recordings);
    w.period("01122026", "31122026");
    w.click("Rimuovi");
    w.click("Cmd_Gp");
    const std::vector<std::string> texts = w.platform.texts();
    ASSERT_EQ(texts.size(), c.kept.empty() ? 5U : 4U);
    EXPECT_EQ(
        texts[0],
        "La riga <2> del file delle rilevazioni risulta corrotta.Verr\xE0 pertanto scartata.");
    EXPECT_EQ(texts[1], found(w, 1));
    EXPECT_TRUE(confirms(texts[2], kCreated)) << texts[2];
    if (c.kept.empty()) {
      EXPECT_EQ(texts[3], kDeleted);
      EXPECT_EQ(w.recordings(), loggedRecord(kRemoved));
    } else {
      EXPECT_EQ(texts[3],
                "Il File delle operazioni non \xE8 stato Eliminato in quanto contiene righe "
                "danneggiate: viene conservato per poterle recuperare");
      const std::string fill((256 - c.kept.size() % 256) % 256, '\0');
      EXPECT_TRUE(w.recordings() == c.kept + fill + loggedRecord(kCreated));
    }
  }
}

// A report of the same name (a second run in the same minute) or a link planted under that
// name is never written through: the run writes, marks, logs and removes nothing.
TEST(ReportWindow, AnExistingReportOrALinkOfItsNameIsNeverWrittenThrough) {
  const std::string recordings = storedRecord(entryText('N', "10/12/2026", "a"));
  const std::string earlier = kHeadingRecord + reportedLine("10/12/2026", "prima");
  for (const bool link : {false, true}) {
    SCOPED_TRACE(link ? "a link to the recordings file" : "an earlier report");
    Controller w(recordings);
    const std::string name = w.folder.file("report/20261231_0905_Log.txt");
    if (link) {
      std::filesystem::create_symlink(w.folder.file("OdV"), name);
    } else {
      w.folder.write("report/20261231_0905_Log.txt", earlier);
    }
    w.period("01122026", "31122026");
    w.click("Rimuovi");
    w.click("Cmd_Gp");
    EXPECT_EQ(w.platform.texts(),
              (std::vector<std::string>{
                  "Esiste gi\xE0 un report con il nome " + w.folder.path() +
                      "\\report\\20261231_0905_Log.txt: attendere il minuto successivo e "
                      "ripetere la generazione",
                  "Attenzione, Ci sono ancora n.< 1> scritture da rilevare", kNotDeleted}));
    EXPECT_EQ(w.recordings(), recordings);
    EXPECT_EQ(std::filesystem::is_symlink(name), link);
    EXPECT_EQ(test::readBytes(name), link ? recordings : earlier);
  }
}

// Left unticked, ARunCopiesMarksLogsAndWarnsOfEntriesLeft leaves a reported entry alone.
TEST(ReportWindow, AlreadyReportedEntriesAreCopiedAgainWhenAsked) {
  const std::string reported = entryText('S', "10/12/2026", "gia trattata");
  Controller w(storedRecord(reported));
  w.period("01122026", "31122026");
  w.click("Anche_gia_Lette");
  w.click("Cmd_Gp");
  EXPECT_EQ(w.platform.texts()[0], found(w, 1));
  EXPECT_EQ(w.report(), kHeadingRecord + reportedLine("10/12/2026", "gia trattata"));
  EXPECT_EQ(w.recordings(), storedRecord(reported) + loggedRecord(kCreated));
}

TEST(ReportWindow, AnEmptyReportFolderBecomesABackslashEvenWithoutAPeriod) {
  Controller w(storedRecord(entryText('N', "10/12/2026", "a")));
  w.box("Opz_KOV_3")->clear();
  w.click("Cmd_Gp");
  EXPECT_EQ(w.text("Opz_KOV_3"), "\\");
  EXPECT_EQ(w.platform.texts(),
            std::vector<std::string>{"Occorre impostare il periodo da Esportare"});
  EXPECT_TRUE(w.box("Dt_1")->hasFocus());
  EXPECT_EQ(w.recordings(), storedRecord(entryText('N', "10/12/2026", "a")));
}

// The limit of the report folder box is for typing: the closing "\" goes in even then.
TEST(ReportWindow, AReportFolderOf199CharactersGetsItsClosingBackslash) {
  test::Window w;
  const std::string sub = "r" + std::string(198 - w.folder.path().size() - 1, 'p');
  const std::string folder = w.folder.path() + "\\" + sub;  // 199 characters
  ASSERT_EQ(folder.size(), 199U);
  w.folder.write("KoV",
                 test::administratorFile("PC-01", false, "Log.txt", folder, "Admin", "password1"));
  w.folder.write("TdT", test::controllerFile("Titolare", "segreto99"));
  w.folder.write("OdV", storedRecord(entryText('N', "10/12/2026", "a")));
  w.folder.makeFolder(sub);
  w.show();
  w.signIn(1, "Titolare", "segreto99");
  w.period("01122026", "31122026");
  w.click("Cmd_Gp");
  EXPECT_EQ(w.text("Opz_KOV_3"), folder + "\\");
  EXPECT_EQ(w.folder.read(sub + "/20261231_0905_Log.txt"),
            kHeadingRecord + reportedLine("10/12/2026", "a"));
}

// The run that logs the 32,768th record is told too.
TEST(ReportWindow, MoreThan32767RecordsAreScannedWholeAndTheUserIsToldUnlessRemoved) {
  // Records 1 to 32765 reported long ago, 32766 blank, 32767 an entry of the period.
  const std::string last = entryText('N', "31/12/2026", "numero 32767");
  std::string recordings;
  for (int n = 1; n <= 32765; ++n) {
    recordings += storedRecord(entryText('S', "01/01/2020", "vecchia"));
  }
  recordings += std::string(253, ' ') + "|\r\n" + storedRecord(last);
  const std::string overLimit =
      "Il file delle rilevazioni contiene n. 32768 scritture: le versioni precedenti della "
      "procedura ne leggono al massimo 32767. Si consiglia di rimuoverlo con l'opzione "
      "\"Rimuovi i Report esistenti\" appena non ci sono pi\xF9 scritture da rilevare.";
  for (const bool remove : {false, true}) {
    SCOPED_TRACE(remove ? "removed" : "kept");
    Controller w(recordings);
    w.period("01122026", "31122026");
    if (remove) w.click("Rimuovi");
    w.click("Cmd_Gp");
    const std::vector<std::string> texts = w.platform.texts();
    ASSERT_EQ(texts.size(), remove ? 5U : 4U);
    EXPECT_EQ(texts[0],
              "La riga <32766> del file delle rilevazioni risulta corrotta.Verr\xE0 pertanto "
              "scartata.");
    EXPECT_EQ(texts[1], found(w, 1));
    EXPECT_EQ(w.report(), kHeadingRecord + reportedLine("31/12/2026", "numero 32767"));
    if (remove) {
      EXPECT_EQ(texts[3], kDeleted);
      EXPECT_EQ(w.recordings(), loggedRecord(kRemoved));
    } else {
      EXPECT_EQ(texts[3], overLimit);
      EXPECT_EQ(w.recordings(),
                recordings.substr(0, 32766U * 256) + markedRecord(last) + loggedRecord(kCreated));
    }
  }
}

}  // namespace
}  // namespace kov
