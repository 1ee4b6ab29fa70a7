#include <gtest/gtest.h>

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

// Every control of the window, top to bottom, with its caption and tool tip. The input
// limits of the text boxes are tried with bad input.
TEST(Window, EveryControlHasItsNameCaptionAndToolTip) {
  const struct {
    const char* name;
    QString caption;
    QString toolTip;
  } controls[] = {
      {"Frm_Orologio", "", ""},
      {"Lb1", "Data:", ""},
      {"Data_G", "", ""},
      {"Lb2", "Ora:", ""},
      {"Ora_G", "", ""},
      {"Frm_At", "Scelta dell'Utente ", ""},
      {"Tp_Ut_0", "&Amministratore di Sistema",
       "abilita le funzioni riservate all'amministratore di sistema"},
      {"Tp_Ut_1", "&Titolare del Trattamento",
       "Abilita le funzioni risevate al titolare o Responsabile del Trattamento "},
      {"Frm_Utente", "Utente", ""},
      {"Label7", "Acco&unt", ""},
      {"Utente", "", "Digitare il nome dell'utente abilitato (amministratore o titolare)"},
      {"Lb_Pw", "&Password", ""},
      {"Pw", "", "Digitare la password impostata"},
      {"Cmd_VPw", "&Varia Password",
       "Consente di Variare la propria Password; per l'Kov consente di salvare anche i parametri "
       "della postazione di lavoro  "},
      {"Var_Par", "",
       "Se attivo, consente all'amministratore di sistema di variare i parametri della Postazione"},
      {"Frm_Par", "Parametri della Postazione di Lavoro", ""},
      {"Label5", "&WorkStation", ""},
      {"Opz_KOV_1", "", "Nome della Postazione"},
      {"Label4", "&Nome File Report", ""},
      {"Opz_KOV_2", "", "Nome del file di log generato dalla procedura (es.KoV.log)"},
      {"Label2", "Pat&h File Report", ""},
      {"Opz_KOV_3", "",
       "Digitare il percorso di destinazione del fil di log generato dalla procedura"},
      {"Acc_Ris", "Accesso &Limitato",
       QString::fromUtf8("Se attivato, la procedura si attiva solo se l'utente di windows è uguale "
                         "all'Amministratore di Sistema o al  Titolare del Trattamento.")},
      {"N_Accessi", "", ""},
      {"Frm_KoV", "Operazioni Pianificate", ""},
      {"Op_Pi_0", "Verifica funzionamento operazioni di &Backup ", ""},
      {"Op_Pi_1", "&Simulazione ripristino Data Base", ""},
      {"Op_Pi_2", "Predisposizione &credenziali utenti abilitati all'accesso nella rete", ""},
      {"Op_Pi_3", "Alt&ro", ""},
      {"Opz_KOV_0", "",
       QString::fromUtf8("Commentare l'operazione eseguita che verrà salvata nel file di log.")},
      {"Cmd_Op", "&Ok",
       "Consente di inserire il commento nel file delle operazioni svolte dall'amministatore di "
       "Sistema"},
      {"Frm_TdT", "Generazione Report Accessi dell'Amministratore di Sistema", ""},
      {"Lb_Dt1", "&Da Data Accesso", ""},
      {"Dt_1", "", "Data di Inizio ricerca delle scritture da ricercare"},
      {"Label1", "A  Data Acc&esso", ""},
      {"Dt_2", "", "Data di Fine ricerca delle scritture da rilevare"},
      {"Anche_gia_Lette", QString::fromUtf8("Anche gli accessi &già trattati"),
       QString::fromUtf8("se attivo preleva anche le scritture già rilevate in precedenza")},
      {"Rimuovi", "Ri&muovi i Report esistenti ",
       "Se attivo rimuove a fine lettura il file delle rilevazioni"},
      {"Cmd_Gp", "&Ok",
       "Consente di generare il file di log delle scritture dell'amministratore di sistema"},
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
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
      // The frames follow one another from the top of the window to the bottom.
      const int top = frame->mapTo(w.window.get(), QPoint()).y();
      EXPECT_GT(top, previousTop) << c.name << " below " << previousFrame.toStdString();
      previousTop = top;
      previousFrame = c.name;
    }
  }
  w.box("Pw")->setText("segreto");
  EXPECT_EQ(w.box("Pw")->displayText(), "*******");
  for (const char* date : {"Dt_1", "Dt_2"}) {
    EXPECT_EQ(w.box(date)->inputMask(), "99/99/9999");
    EXPECT_EQ(w.box(date)->displayText(), "  /  /    ");
  }
}

}  // namespace
}  // namespace kov
