// Start-up and closing of the main window.
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "cores/config/data_files.h"
#include "cores/oplog/copy_chain.h"
#include "cores/oplog/texts.h"
#include "cores/shared/texts.h"
#include "window/main/kov.h"
#include "window/platform/qt_text.h"
#include "window/widgets/controls.h"

namespace kov {
namespace {

void showStartupError(Platform& platform, const Error& error) {
  platform.message(Icon::Critical, shared_text::startupError(error), kAppTitle);
}

}  // namespace

bool KOV::Form_Load() {
  fitToScreen();
  centreOn(*this, platform_.screenSize());
  In_Caricamento = 1;
  Imposta_Versione(par_, platform_.programFolder());
  setWindowTitle(windowTitle() + fromCp1252(par_.Versione + par_.Data_Versione));
  const std::string userName = Leggi_Nome_Utente(platform_);
  Utente_Windows = userName.substr(0, userName.size() - 1);

  const CredentialsRead read = Leggi_Parametri_KOV();
  if (read.creating) {
    showStartupError(platform_, read.creating);
    return false;
  }
  // A role whose file could not be read may well be stored: offering its first set-up
  // would let anyone write over its credentials. The failure has been shown; end here.
  if (read.unreadable) return false;

  if (!enterMode()) return false;
  // Copies the system log did not take before go first, when it takes them now.
  deliverWaiting(platform_);
  // Told once, and only to a user who may use the program.
  for (const std::string& notice : otherSpellingNotices(platform_.programFolder())) {
    platform_.message(Icon::Information, notice, kAppTitle);
  }
  return true;
}

bool KOV::enterMode() {
  if (par_.Utenti[0].empty()) {
    Tp_Ut[0]->setChecked(true);
    Frm_At->setEnabled(false);
    Cmd_VPw->setText(QStringLiteral("&Ok"));
    Cmd_VPw->setEnabled(true);
    par_.Utente_da_Attivare = 1;
    Var_Par->setChecked(true);
    return true;
  }
  if (par_.Utenti[1].empty()) {
    Utente->clear();
    Tp_Ut[1]->setChecked(true);
    Frm_At->setEnabled(false);
    Cmd_VPw->setText(QStringLiteral("&Ok"));
    Cmd_VPw->setEnabled(true);
    par_.Utente_da_Attivare = 2;
    return true;
  }

  const std::string windowsUser = toUpper1252(Utente_Windows);
  if (Acc_Ris->isChecked() && windowsUser != toUpper1252(par_.Utenti[0]) &&
      windowsUser != toUpper1252(par_.Utenti[1])) {
    platform_.beep();
    return false;
  }
  Tp_Ut[0]->setChecked(true);
  Utente->clear();
  In_Caricamento = 0;
  Leggi_Numero_Scritture();
  return true;
}

void KOV::closeEvent(QCloseEvent* event) {
  // A comment not saved goes with the window: closing it is the user's choice, No the default.
  const std::string unsaved = unsavedComment();
  const std::string& comment = unsaved.empty() ? keptComment_ : unsaved;
  if (!comment.empty() &&
      !platform_.ask(oplog_text::unsavedComment(comment), toCp1252(windowTitle()))) {
    event->ignore();
    return;
  }
  Timer1->stop();
  event->accept();
}

}  // namespace kov
