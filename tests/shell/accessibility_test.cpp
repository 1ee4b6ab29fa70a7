#include <gtest/gtest.h>

#include <QAccessible>

#include "support/window.h"

namespace kov {
namespace {

QString accessibleName(QWidget* control) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
  return accessible == nullptr ? QString() : accessible->text(QAccessible::Name);
}

// What a screen reader says for each box, button and frame: the caption of its label or its
// own, or, where a caption says too little ("Ok", none), what the control is for.
TEST(Accessibility, EveryControlIsNamedByWhatItIsFor) {
  const struct {
    const char* control;
    QString name;
  } cases[] = {
      {"Utente", "Account"},
      {"Pw", "Password"},
      {"Opz_KOV_1", "WorkStation"},
      {"Opz_KOV_2", "Nome File Report"},
      {"Opz_KOV_3", "Path File Report"},
      {"Opz_KOV_0", "Commento dell'operazione"},
      {"N_Accessi", "Numero delle scritture registrate"},
      {"Cmd_Op", "Salva il commento nel file delle operazioni"},
      {"Cmd_Gp", "Genera il report"},
      {"Dt_1", "Da Data Accesso"},
      {"Dt_2", "A  Data Accesso"},
      {"Var_Par", "Parametri della Postazione di Lavoro"},
      {"Acc_Ris", "Accesso Limitato"},
      {"Frm_At", "Scelta dell'Utente "},
      {"Frm_Utente", "Utente"},
      {"Frm_Par", "Parametri della Postazione di Lavoro"},
      {"Frm_KoV", "Operazioni Pianificate"},
      {"Frm_TdT", "Generazione Report Accessi dell'Amministratore di Sistema"},
  };
  test::Window w;
  w.storeBothRoles();
  w.show();
  for (const auto& c : cases) EXPECT_EQ(accessibleName(w.find(c.control)), c.name) << c.control;
  // The buttons say what they do beyond their caption.
  QAccessibleInterface* report = QAccessible::queryAccessibleInterface(w.find("Cmd_Gp"));
  EXPECT_EQ(report->text(QAccessible::Description),
            "Consente di generare il file di log delle scritture dell'amministratore di sistema");
}

}  // namespace
}  // namespace kov
