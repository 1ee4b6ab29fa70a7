// The menu bar above the frames: what each role may do beside the specified controls. It
// writes nothing into the program's files.
#include <QAction>
#include <QFile>
#include <QKeySequence>
#include <QMenuBar>
#include <QMessageBox>

#include "cores/oplog/copy_spool.h"
#include "window/dialogs/guide.h"
#include "window/logviewer/log_viewer.h"
#include "window/main/kov.h"
#include "window/main/menu_texts.h"
#include "window/platform/qt_text.h"

namespace kov {

QMenuBar* KOV::buildMenu() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("menu"));
  QMenu* file = bar->addMenu(menu_text::kFile);
  openFolder_ = file->addAction(menu_text::kOpenReportFolder, this, [this] { openReportFolder(); });
  openFolder_->setObjectName(QStringLiteral("ApriCartella"));
  file->addSeparator();
  file->addAction(menu_text::kQuit, this, [this] { close(); })
      ->setObjectName(QStringLiteral("Esci"));
  logMenu_ = bar->addMenu(menu_text::kLog);
  logMenu_->setObjectName(QStringLiteral("Registro"));
  logMenu_->addAction(menu_text::kViewLog, this, [this] { showLog(); })
      ->setObjectName(QStringLiteral("VisualizzaRegistro"));
  QMenu* help = bar->addMenu(menu_text::kHelp);
  QAction* guide = help->addAction(menu_text::kGuide, this, [this] { showGuide(); });
  guide->setShortcut(QKeySequence(Qt::Key_F1));
  help->addAction(menu_text::kAbout, this, [this] { showAbout(); })
      ->setObjectName(QStringLiteral("InformazioniSu"));
  enableMenus(false);
  return bar;
}

namespace {

void bringUp(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

void KOV::enableMenus(bool signedIn) {
  logMenu_->setEnabled(signedIn);
  openFolder_->setEnabled(signedIn && par_.Tipo_Utente != 0);
  if (!signedIn && log_ != nullptr) log_->close();
}

void KOV::showLog() {
  if (log_ == nullptr) {
    // The administrator sees his own entries only.
    log_ = new LogViewer(platform_, par_.File_Rilevazioni,
                         par_.Tipo_Utente == 0 ? par_.Utenti[0] : std::string(), this);
    log_->setAttribute(Qt::WA_DeleteOnClose);
  }
  bringUp(log_);
}

void KOV::showGuide() {
  if (guide_ == nullptr) guide_ = new Guide(this);
  bringUp(guide_);
}

void KOV::showAbout() {
  auto* box = new QMessageBox(
      QMessageBox::Information, menu_text::kAboutTitle,
      menu_text::about(fromCp1252(par_.Versione + par_.Data_Versione), QStringLiteral(KOV_VERSION),
                       QFile::decodeName(QByteArray::fromStdString(platform_.programFolder())),
                       QFile::decodeName(QByteArray::fromStdString(par_.File_Rilevazioni)),
                       std::ssize(waitingCopies(platform_.programFolder()))),
      QMessageBox::Ok, this);
  box->setObjectName(QStringLiteral("Informazioni"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

}  // namespace kov
