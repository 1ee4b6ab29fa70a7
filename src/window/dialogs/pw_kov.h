// The dialog "Inserimento Password": the signed-in user gives his own role a new password,
// typed twice; for the administrator the pending workstation parameters are stored with it.
// The dialog tells its caller nothing: it closes after storing, or by its close button.
#pragma once

#include <QDialog>
#include <cstdint>

#include "cores/shared/kov_par.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kov {

class FocusRouter;

class Pw_Kov : public QDialog {
  Q_OBJECT

 public:
  // A fresh dialog, loaded: every showing starts from empty boxes.
  Pw_Kov(Kov_Par& par, Platform& platform, QWidget* parent);

  void Form_Load();
  void N_Pw_KeyDown(int KeyCode);
  void C_Pw_KeyDown(int KeyCode);
  void CmdOK_Click();
  void Conferma_Pw(std::int16_t& ok);
  // Whether the new password (with the pending parameters) reached the disk.
  bool stored() const { return stored_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildControls();
  // The focus behaviour that N_Pw and C_Pw share.
  void boxGotFocus(QLineEdit* box);
  void boxLostFocus(QLineEdit* box);

  Kov_Par& par_;
  Platform& platform_;
  FocusRouter* focus_ = nullptr;
  std::int16_t Modo_Record = 0;
  bool stored_ = false;

  QGroupBox* Frm_Pw = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Nome_Ut = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* N_Pw = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* C_Pw = nullptr;
  QPushButton* CmdOK = nullptr;
};

}  // namespace kov
