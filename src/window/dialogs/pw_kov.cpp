#include "window/dialogs/pw_kov.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "cores/credentials/credential_record.h"
#include "cores/credentials/new_password.h"
#include "cores/credentials/texts.h"
#include "runtime/text.h"
#include "window/focus/focus_router.h"
#include "window/platform/qt_text.h"
#include "window/widgets/colours.h"
#include "window/widgets/controls.h"
#include "window/widgets/password_echo.h"
#include "window/widgets/storable_validator.h"

namespace kov {
namespace {

constexpr int kEnterKey = 13;

// Both Enter keys are key code 13; the other keys keep Qt's code, which no procedure of
// the dialog looks at.
int keyCodeOf(const QKeyEvent* event) {
  const int key = event->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter ? kEnterKey : key;
}

QLineEdit* passwordBox(const QString& name, Platform& platform) {
  auto* box = new QLineEdit;
  box->setObjectName(name);
  showAsStars(box);
  makeStorable(box, kFieldWidth, platform);
  return box;
}

}  // namespace

Pw_Kov::Pw_Kov(Kov_Par& par, Platform& platform, QWidget* parent)
    : QDialog(parent), par_(par), platform_(platform) {
  setObjectName(QStringLiteral("Pw_Kov"));
  setWindowTitle(fromCp1252(texts::kPwKovTitle));
  buildControls();
  Form_Load();
}

void Pw_Kov::buildControls() {
  Frm_Pw = new QGroupBox(QStringLiteral("Definizione Password"));
  Frm_Pw->setObjectName(QStringLiteral("Frm_Pw"));
  Label1 = label(QStringLiteral("Label1"), QStringLiteral("Nome Utente"));
  Nome_Ut = label(QStringLiteral("Nome_Ut"), {});
  N_Pw = passwordBox(QStringLiteral("N_Pw"), platform_);
  Label2 = label(QStringLiteral("Label2"), QStringLiteral("&Nuova Password"), N_Pw);
  C_Pw = passwordBox(QStringLiteral("C_Pw"), platform_);
  Label3 = label(QStringLiteral("Label3"), QStringLiteral("V&erifica Password"), C_Pw);
  auto* rows = new QGridLayout(Frm_Pw);
  rows->addWidget(Label1, 0, 0);
  rows->addWidget(Nome_Ut, 0, 1);
  rows->addWidget(Label2, 1, 0);
  rows->addWidget(N_Pw, 1, 1);
  rows->addWidget(Label3, 2, 0);
  rows->addWidget(C_Pw, 2, 1);

  CmdOK = new QPushButton(QStringLiteral("&Ok"));
  CmdOK->setObjectName(QStringLiteral("CmdOK"));
  CmdOK->setToolTip(QStringLiteral("Conferma le impostazioni "));
  CmdOK->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(Frm_Pw);
  layout->addWidget(CmdOK);
  setTabOrder(N_Pw, C_Pw);
  setTabOrder(C_Pw, CmdOK);
  N_Pw->setFocus();

  focus_ = new FocusRouter(this);
  for (QLineEdit* box : {N_Pw, C_Pw}) {
    focus_->add(
        box, [this, box] { boxGotFocus(box); }, [this, box] { boxLostFocus(box); });
    box->installEventFilter(this);
  }
  connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOK_Click(); });
  focus_->focusBeforeAccessKeyClicks();
}

void Pw_Kov::Form_Load() {
  Nome_Ut->setText(fromCp1252(par_.Utenti[static_cast<std::size_t>(par_.Tipo_Utente)]));
  // Centred once its size is known, which depends on the name shown.
  adjustSize();
  centreOn(*this, platform_.screenSize());
}

void Pw_Kov::boxGotFocus(QLineEdit* box) {
  box->setSelection(0, static_cast<int>(box->text().size()));
  setBackground(box, Colour::Yellow);
}

void Pw_Kov::boxLostFocus(QLineEdit* box) {
  putText(box, fromCp1252(trimSpaces(toCp1252(box->text()))));
  setBackground(box, Colour::White);
}

bool Pw_Kov::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int keyCode = keyCodeOf(static_cast<QKeyEvent*>(event));
  if (watched == N_Pw) N_Pw_KeyDown(keyCode);
  if (watched == C_Pw) C_Pw_KeyDown(keyCode);
  // A one-line box has no use for Enter, and the dialog must not take it for its button.
  return keyCode == kEnterKey;
}

void Pw_Kov::keyPressEvent(QKeyEvent* event) {
  // There is no cancel button: Escape does not close the dialog.
  if (event->matches(QKeySequence::Cancel)) return;
  QDialog::keyPressEvent(event);
}

void Pw_Kov::N_Pw_KeyDown(int KeyCode) {
  if (KeyCode == kEnterKey && !N_Pw->text().isEmpty()) C_Pw->setFocus();
}

void Pw_Kov::C_Pw_KeyDown(int KeyCode) {
  if (KeyCode == kEnterKey) CmdOK_Click();
}

void Pw_Kov::CmdOK_Click() {
  std::int16_t ok = 0;
  Conferma_Pw(ok);
  if (ok == 0) {
    accept();
  } else if (ok == 1) {
    N_Pw->setFocus();
  } else if (ok == 2) {
    C_Pw->setFocus();
  }
}

void Pw_Kov::Conferma_Pw(std::int16_t& ok) {
  const std::string newPassword = toCp1252(N_Pw->text());
  if (const auto refusal = newPasswordRefusal(newPassword, toCp1252(C_Pw->text()))) {
    showInformation(platform_, refusal->message, texts::kPwKovTitle);
    ok = refusal->ok;
    return;
  }
  stored_ = storeNewPassword(platform_, par_, Modo_Record, newPassword);
}

}  // namespace kov
