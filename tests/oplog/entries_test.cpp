#include <gtest/gtest.h>

#include "support/modes.h"

namespace kov {
namespace {

using test::kBackup;
using test::kCaption;
using test::pad;
using test::storedRecord;
using test::Window;

struct SignedIn : Window {
  SignedIn() {
    storeBothRoles();
    show();
    signIn(0, "Admin", "password1");
  }
};

// Signing in proposes the backup check with today's date, selected for typing over; each
// option then replaces the comment with its own proposal.
TEST(Entries, EachOptionReplacesTheCommentWithItsProposal) {
  const struct {
    const char* option;
    std::string proposal;
  } cases[] = {
      {"Op_Pi_1", "Eseguito ripristo del Data Base come da verbale del 04/12/2026"},
      {"Op_Pi_2", "Verificato e aggiornato elenco delle credenziali di accesso alla Rete"},
      {"Op_Pi_3", ""},
      {"Op_Pi_0", kBackup},
  };
  SignedIn w;
  EXPECT_TRUE(w.find<QRadioButton>("Op_Pi_0")->isChecked());
  EXPECT_EQ(w.text("Opz_KOV_0"), kBackup);
  EXPECT_EQ(w.box("Opz_KOV_0")->selectedText(), w.box("Opz_KOV_0")->text());
  EXPECT_EQ(test::background(w.box("Opz_KOV_0")), test::kYellow);
  for (const auto& c : cases) {
    w.box("Opz_KOV_0")->setText("typed by hand");
    w.click(c.option);
    EXPECT_EQ(w.text("Opz_KOV_0"), c.proposal) << c.option;
    EXPECT_TRUE(w.box("Opz_KOV_0")->hasFocus()) << c.option;
  }
}

// The comment box's limit and refused characters are BadInput's.
TEST(Entries, AnEmptyCommentIsRefusedAndNothingIsWritten) {
  SignedIn w;
  w.box("Opz_KOV_0")->setText("    ");
  w.click("Cmd_Op");
  ASSERT_EQ(w.platform.texts(),
            std::vector<std::string>{"Occorre commentare l'operazione eseguita"});
  EXPECT_EQ(w.platform.messages[0].title, kCaption);
  EXPECT_FALSE(w.folder.exists("OdV"));
  EXPECT_TRUE(w.box("Opz_KOV_0")->hasFocus());
  test::expectMode(w, test::kAdministratorSignedIn);
}

// The road of one entry: from the proposal to the confirmed record and the locked window.
TEST(Entries, SavingWritesConfirmsCountsAndLocksTheWindow) {
  SignedIn w;
  w.click("Op_Pi_1");
  QTest::keyClick(w.box("Opz_KOV_0"), Qt::Key_End);
  QTest::keyClicks(w.box("Opz_KOV_0"), " n. 7");
  w.platform.clock = {2026, 12, 4, 17, 30, 0};
  w.click("Cmd_Op");

  const std::string entry = "N04/12/202617:30:00" + pad("PC-01", 14) + pad("Admin", 20) +
                            "Eseguito ripristo del Data Base come da verbale del 04/12/2026 n. 7";
  EXPECT_EQ(w.recordings(), storedRecord(entry));
  ASSERT_EQ(w.platform.messages.size(), 1U);  // its text is FaultWalk's
  EXPECT_EQ(w.platform.messages[0].title, kCaption);
  EXPECT_EQ(w.find<QLabel>("N_Accessi")->text(), "1");
  EXPECT_EQ(w.text("Opz_KOV_0"), "");
  EXPECT_EQ(w.text("Pw"), "");
  EXPECT_TRUE(w.box("Pw")->hasFocus());
  EXPECT_TRUE(w.find<QRadioButton>("Op_Pi_1")->isChecked());
  EXPECT_FALSE(w.find("Frm_KoV")->isEnabled());
}

TEST(Entries, AProposalKeepsTheDateItWasMadeOn) {
  Window w;
  w.storeBothRoles();
  w.platform.clock = {2026, 12, 4, 23, 59, 58};
  w.show();
  w.signIn(0, "Admin", "password1");
  w.platform.clock = {2026, 12, 5, 0, 0, 4};
  w.click("Cmd_Op");
  EXPECT_EQ(w.recordings(),
            storedRecord("N05/12/202600:00:04" + pad("PC-01", 14) + pad("Admin", 20) + kBackup));
}

}  // namespace
}  // namespace kov
