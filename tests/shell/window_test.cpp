#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLayout>

#include "support/window.h"

namespace kov {
namespace {

using test::Window;

QString captionOf(QWidget* control) {
  if (auto* box = qobject_cast<QGroupBox*>(control)) return box->title();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  return {};
}

// Every control of the window, top to bottom, with its caption, tool tip and input limit.
TEST(Window, EveryControlHasItsNameCaptionToolTipAndLimit) {
  const struct {
    const char* name;
    QString caption;
    QString toolTip;
    int maxLength;  // text boxes only
  } controls[] = {
      {"Frm_Orologio", "", "", 0},
      {"Lb1", "Data:", "", 0},
      {"Data_G", "", "", 0},
      {"Lb2", "Ora:", "", 0},
      {"Ora_G", "", "", 0},
      {"Frm_At", "Scelta dell'Utente ", "", 0},
      {"Tp_Ut_0", "Amministratore di Sistema",
       "abilita le funzioni riservate all'amministratore di sistema", 0},
      {"Tp_Ut_1", "Titolare del Trattamento",
       "Abilita le funzioni risevate al titolare o Responsabile del Trattamento ", 0},
      {"Frm_Utente", "Utente", "", 0},
      {"Label7", "Account", "", 0},
      {"Utente", "", "Digitare il nome dell'utente abilitato (amministratore o titolare)", 20},
      {"Lb_Pw", "Password", "", 0},
      {"Pw", "", "Digitare la password impostata", 20},
      {"Cmd_VPw", "Varia Password",
       "Consente di Variare la propria Password; per l'Kov consente di salvare anche i parametri "
       "della postazione di lavoro  ",
       0},
      {"Var_Par", "",
       "Se attivo, consente all'amministratore di sistema di variare i parametri della Postazione",
       0},
      {"Frm_Par", "Parametri della Postazione di Lavoro", "", 0},
      {"Label5", "WorkStation", "", 0},
      {"Opz_KOV_1", "", "Nome della Postazione", 14},
      {"Label4", "Nome File Report", "", 0},
      {"Opz_KOV_2", "", "Nome del file di log generato dalla procedura (es.KoV.log)", 20},
      {"Label2", "Path File Report", "", 0},
      {"Opz_KOV_3", "",
       "Digitare il percorso di destinazione del fil di log generato dalla procedura", 199},
      {"Acc_Ris", "Accesso Limitato",
       QString::fromUtf8("Se attivato, la procedura si attiva solo se l'utente di windows è uguale "
                         "all'Amministratore di Sistema o al  Titolare del Trattamento."),
       0},
      {"N_Accessi", "", "", 0},
      {"Frm_KoV", "Operazioni Pianificate", "", 0},
      {"Op_Pi_0", "Verifica funzionamento operazioni di Backup ", "", 0},
      {"Op_Pi_1", "Simulazione ripristino Data Base", "", 0},
      {"Op_Pi_2", "Predisposizione credenziali utenti abilitati all'accesso nella rete", "", 0},
      {"Op_Pi_3", "Altro", "", 0},
      {"Opz_KOV_0", "",
       QString::fromUtf8("Commentare l'operazione eseguita che verrà salvata nel file di log."),
       200},
      {"Cmd_Op", "Ok",
       "Consente di inserire il commento nel file delle operazioni svolte dall'amministatore di "
       "Sistema",
       0},
      {"Frm_TdT", "Generazione Report Accessi dell'Amministratore di Sistema", "", 0},
      {"Lb_Dt1", "Da Data Accesso", "", 0},
      {"Dt_1", "", "Data di Inizio ricerca delle scritture da ricercare", 0},
      {"Label1", "A  Data Accesso", "", 0},
      {"Dt_2", "", "Data di Fine ricerca delle scritture da rilevare", 0},
      {"Anche_gia_Lette", QString::fromUtf8("Anche gli accessi già trattati"),
       QString::fromUtf8("se attivo preleva anche le scritture già rilevate in precedenza"), 0},
      {"Rimuovi", "Rimuovi i Report esistenti ",
       "Se attivo rimuove a fine lettura il file delle rilevazioni", 0},
      {"Cmd_Gp", "Ok",
       "Consente di generare il file di log delle scritture dell'amministratore di sistema", 0},
  };
  // As built, before start-up changes anything.
  Window w;
  w.window = std::make_unique<KOV>(w.par, w.platform);
  w.window->adjustSize();
  w.window->layout()->activate();
  int previousTop = -1;
  QString previousFrame;
  for (const auto& c : controls) {
    QWidget* control = w.find(c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(captionOf(control), c.caption) << c.name;
    EXPECT_EQ(control->toolTip(), c.toolTip) << c.name;
    if (auto* box = qobject_cast<QLineEdit*>(control); box != nullptr && c.maxLength > 0) {
      EXPECT_EQ(box->maxLength(), c.maxLength) << c.name;
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
      // The frames follow one another from the top of the window to the bottom.
      const int top = frame->mapTo(w.window.get(), QPoint()).y();
      EXPECT_GT(top, previousTop) << c.name << " below " << previousFrame.toStdString();
      previousTop = top;
      previousFrame = c.name;
    }
  }
  EXPECT_EQ(w.box("Pw")->echoMode(), QLineEdit::Password);
  for (const char* date : {"Dt_1", "Dt_2"}) {
    EXPECT_EQ(w.box(date)->inputMask(), "99/99/9999");
    EXPECT_EQ(w.box(date)->displayText(), "  /  /    ");
  }
}

// Characters that cannot be stored never reach a box, typed or pasted.
TEST(Window, BoxesRefuseWhatCannotBeStored) {
  const struct {
    QString typed;
    QString kept;
    int beeps;
  } cases[] = {
      {"Rossi", "Rossi", 0},
      {QString::fromUtf8("Città €"), QString::fromUtf8("Città €"), 0},
      {QString::fromUtf8("a☃b"), "ab", 1},   // outside Windows-1252
      {QString::fromUtf8("aþÿb"), "ab", 2},  // codes 254 and 255
      {"a\tb", "ab", 0},                     // a control character is never typed
      {"a|b \"c\"", "a|b \"c\"", 0},
      {QString(21, QLatin1Char('x')), QString(20, QLatin1Char('x')), 0},
  };
  for (const auto& c : cases) {
    Window w;
    w.storeBothRoles();
    w.show();
    w.type("Utente", c.typed);
    EXPECT_EQ(w.box("Utente")->text(), c.kept) << c.typed.toStdString();
    EXPECT_EQ(w.platform.beeps, c.beeps) << c.typed.toStdString();
  }
}

TEST(Window, APasteWithACharacterThatCannotBeStoredIsRefusedWhole) {
  Window w;
  w.show();
  QLineEdit* path = w.box("Opz_KOV_3");
  path->setFocus();
  path->setText("C:\\Report");
  path->end(false);
  QApplication::clipboard()->setText(QString::fromUtf8("\\sotto\ncartella"));
  path->paste();
  EXPECT_EQ(path->text(), "C:\\Report");
  EXPECT_EQ(w.platform.beeps, 1);
  QApplication::clipboard()->setText(QString(300, QLatin1Char('p')));
  path->paste();
  EXPECT_EQ(path->text().size(), 199);
}

}  // namespace
}  // namespace kov
