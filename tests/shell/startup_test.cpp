#include <gtest/gtest.h>

#include "support/window.h"

namespace kov {
namespace {

using test::Window;

// The files each start-up creates, its mode and its count are FaultWalk's clean runs.
TEST(StartUp, TheControllersSetUpShowsTheStoredParametersAndTheNameBoxTellsItsUser) {
  Window setUp;
  setUp.showMode(1, -1);
  EXPECT_EQ(setUp.par.Tipo_Utente, 1);
  EXPECT_EQ(setUp.text("Opz_KOV_1"), "PC");
  EXPECT_EQ(setUp.text("Opz_KOV_2"), "Log.txt");
  EXPECT_EQ(setUp.text("Opz_KOV_3"), "C:\\R");
  EXPECT_EQ(setUp.box("Utente")->toolTip(), "Nome del Titolare del Trattamento ()");
  Window roleChoice;
  roleChoice.showMode(2, -1);
  EXPECT_EQ(roleChoice.box("Utente")->toolTip(), "Nome del'Amministratore di Sistema (Admin)");
}

TEST(StartUp, CaptionAndCentring) {
  Window w;
  w.platform.screen = {1000, 800};
  ASSERT_TRUE(w.load());
  EXPECT_EQ(w.window->windowTitle(), QString::fromStdString(test::kCaption));
  EXPECT_EQ(w.window->x(), (1000 - w.window->width()) / 2);
  EXPECT_EQ(w.window->y(), (800 - w.window->height()) / 2);
  EXPECT_EQ(w.par.File_Rilevazioni, w.folder.file("Odv"));
}

// A recordings file restored beside the one in use, under another spelling: one file is
// counted, written and told of, the other is named once and left alone.
TEST(StartUp, OneRecordingsFileWhateverItsSpellingAndTheOtherIsNamed) {
  Window w;
  w.storeBothRoles();
  const std::string restored = test::storedRecord("N01/11/202608:00:00");
  const std::string used = restored + restored;
  w.folder.write("Odv", restored);
  w.folder.write("OdV", used);
  w.show();
  EXPECT_EQ(w.platform.texts(),
            std::vector<std::string>{
                "Nella cartella del programma c'\xE8 anche il file \"Odv\", lo stesso nome "
                "scritto con altre maiuscole e minuscole: non viene usato. La procedura usa il "
                "file \"OdV\"."});
  EXPECT_EQ(w.find<QLabel>("N_Accessi")->text(), "2");
  w.signIn(0, "Admin", "password1");
  w.click("Cmd_Op");
  EXPECT_EQ(w.find<QLabel>("N_Accessi")->text(), "3");
  EXPECT_EQ(w.find<QLabel>("N_Accessi")->accessibleDescription(), "3");
  EXPECT_EQ(w.folder.read("OdV"), used + test::loggedEntry("PC-01", "Admin", test::kBackup));
  EXPECT_EQ(w.folder.read("Odv"), restored);
}

TEST(StartUp, RestrictedAccessComparesNamesWithoutRegardToLetterCase) {
  const struct {
    bool restricted;
    std::string osUser;
    bool starts;
  } cases[] = {
      {true, "admin", true},
      {true, "TITOLARE", true},
      {true, "Titolare", true},
      {true, "mario.rossi", false},
      {true, " Admin", false},
      {true, "", false},
      {true, "Admin" + std::string(26, 'x'), false},  // 31 characters: whole, and not a match
      {true, std::string(40, 'x'), false},            // too long for the name buffer
      {false, "mario.rossi", true},
      {false, std::string(40, 'x'), true},
  };
  for (const auto& c : cases) {
    Window w;
    w.storeBothRoles(c.restricted);
    w.platform.user = c.osUser;
    EXPECT_EQ(w.load(), c.starts) << c.osUser;
    EXPECT_EQ(w.platform.beeps, c.starts ? 0 : 1) << c.osUser;
    EXPECT_TRUE(w.platform.messages.empty());
  }
}

TEST(StartUp, UserNamesUpTo31CharactersComeBackWhole) {
  test::FakePlatform platform;
  const struct {
    std::string os;
    std::string user;      // Leggi_Nome_Utente, NUL included
    std::string computer;  // Leggi_Nome_Computer
  } cases[] = {
      {"", std::string(1, '\0'), ""},
      {"mario", std::string("mario") + '\0', "mario"},
      {std::string(31, 'n'), std::string(31, 'n') + '\0', std::string(31, 'n')},
      {std::string(32, 'n'), std::string(1, '\0'), ""},
  };
  for (const auto& c : cases) {
    platform.user = platform.computer = c.os;
    EXPECT_EQ(Leggi_Nome_Utente(platform), c.user);
    EXPECT_EQ(Leggi_Nome_Computer(platform), c.computer);
  }
}

TEST(StartUp, AFolderWhereNothingCanBeCreatedEndsWithTheStartUpMessage) {
  Window w;
  w.folder.makeReadOnly();
  test::Unprivileged user(w.folder);
  EXPECT_FALSE(w.load());
  ASSERT_EQ(w.platform.messages.size(), 1U);
  EXPECT_EQ(w.platform.messages[0].icon, Icon::Critical);
  EXPECT_EQ(w.platform.messages[0].title, "KoV");
  EXPECT_EQ(
      w.platform.messages[0].text,
      "Si \xE8 verificato il seguente errore nella lettura del form:\n\r70-Autorizzazione negata");
  EXPECT_TRUE(w.folder.names().empty());
}

TEST(StartUp, WorkstationFieldProposesTheComputerNameAndTrimsOnLeaving) {
  Window w;
  w.platform.computer = "PC-UFFICIO-3";
  w.show();
  QLineEdit* workstation = w.box("Opz_KOV_1");
  workstation->setFocus();
  EXPECT_EQ(w.text("Opz_KOV_1"), "PC-UFFICIO-3");
  EXPECT_EQ(workstation->selectedText(), "PC-UFFICIO-3");
  EXPECT_EQ(test::background(workstation), test::kYellow);
  workstation->setText("  PC  1  ");
  QTest::keyClick(workstation, Qt::Key_Tab);
  EXPECT_EQ(w.text("Opz_KOV_1"), "PC  1");
  EXPECT_EQ(test::background(workstation), test::kWhite);
  EXPECT_EQ(test::background(w.box("Opz_KOV_2")), test::kYellow);
  workstation->setFocus();
  EXPECT_EQ(w.text("Opz_KOV_1"), "PC  1");  // a name already there is kept

  // A proposal takes no more than the box takes from typing.
  Window longer;
  longer.platform.computer = "UFFICIO-AMMINISTRAZIONE";
  longer.show();
  longer.box("Opz_KOV_1")->setFocus();
  EXPECT_EQ(longer.text("Opz_KOV_1"), "UFFICIO-AMMINI");
}

}  // namespace
}  // namespace kov
