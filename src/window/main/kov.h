// The main window: every control of the program's one window and its procedures. The
// procedures are defined in this folder, one file per subsystem (kov_entries.cpp,
// kov_report.cpp, ...); kov_window.cpp builds the controls.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <chrono>
#include <cstdint>
#include <string>

#include "cores/config/credential_files.h"
#include "cores/oplog/event_copies.h"
#include "cores/shared/kov_par.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTimer;

namespace kov {

// The program's exit status after a first set-up was stored: the launcher (avvia-kov) starts
// the program again for the next step.
inline constexpr int kSetUpDoneStatus = 3;

class FocusRouter;
class Guide;
class IdleLock;
class LogViewer;
struct DayPeriod;
struct ReportRun;

class KOV : public QWidget {
  Q_OBJECT

 public:
  KOV(Kov_Par& par, Platform& platform);

  // Start-up. False when the program must end without showing the window (restricted
  // access refused, or an error already reported).
  bool Form_Load();

  // The window's procedures.
  void Abilita();
  void DiSabilita();
  CredentialsRead Leggi_Parametri_KOV();
  // False when another program held the recordings file: nothing was written, and the user
  // was told to try again.
  bool Scrive_Riga_di_Log();
  void Assegna_Val_Op_Pi();
  void Leggi_Numero_Scritture();

  // Event procedures.
  void Tp_Ut_Click(std::int16_t Index);
  void Timer1_Timer();
  void Opz_KOV_GotFocus(std::int16_t Index);
  void Opz_KOV_LostFocus(std::int16_t Index);
  void Var_Par_Click();
  void Cmd_VPw_Click();
  void Utente_GotFocus();
  void Utente_LostFocus();
  void Pw_GotFocus();
  void Pw_LostFocus();
  void Op_Pi_Click(std::int16_t Index);
  void Cmd_Op_Click();
  void Dt_GotFocus(std::int16_t Index);
  void Dt_KeyPress(std::int16_t Index, std::int16_t& KeyAscii);
  void Dt_LostFocus(std::int16_t Index);
  void Cmd_Gp_Click();

  // Shows the report folder of the parameters in the desktop's file manager.
  void openReportFolder();

  // True once this run has stored a first set-up (the window then closes).
  bool setUpDone() const { return setUpDone_; }
  // The time untouched before the sign-out, ten minutes; tests shorten it.
  void setIdleLimit(std::chrono::milliseconds limit);

 protected:
  void closeEvent(QCloseEvent* event) override;  // Form_Unload

 private:
  void buildControls();
  // The menu bar. Nobody signed in: only the help and "Esci"; the administrator: his own
  // entries; the data controller: the log and the report folder.
  QMenuBar* buildMenu();
  // Signing out also closes the log's window.
  void enableMenus(bool signedIn);
  void showLog();
  void showGuide();
  void showAbout();
  // The last steps of start-up: one of the first set-ups, or the role choice after the
  // restricted-access check. False when the program must end.
  bool enterMode();
  // The system log's copy of a refused sign-in, with the role and the account typed.
  void copyRefusal(SignInRefusal refusal);
  // Sizes the window for its screen.
  void fitToScreen();
  // Texts of the controls, in Windows-1252.
  std::string textOf(const QLineEdit* box) const;
  void setTextOf(QLineEdit* box, std::string_view text);
  void storableBox(QLineEdit* box, int limit);
  // The ten characters a date box shows, "  /  /    " when untouched.
  std::string dateText(std::int16_t Index) const;
  // A ready-made period, put into both date boxes as if typed.
  void fillPeriod(const DayPeriod& period);
  // The entry text of the comment box, the workstation and the account, at this moment.
  std::string entryOfWindow() const;
  // Ten minutes untouched sign the user out as entering the password box does, keeping a
  // comment typed and not saved for the administrator's next sign-in; an open password dialog
  // can then only be closed.
  void lockWhenIdle();
  // The comment typed in the comment box and not saved: its text when it is not the planned
  // operation's proposal; empty when there is none.
  std::string unsavedComment() const;
  // N_Accessi shows the number of records the recordings file holds; a negative number
  // (not known) leaves it as it is.
  void showCount(std::int64_t records);
  // Beside a report just written: its PDF, then the offer to open it or its folder.
  void offerReport(const ReportRun& run, const DateTime& at, std::int64_t copied);
  // Opens the report's PDF or a folder (absolute, native separators) on the desktop.
  void showInDesktop(const QString& name, bool isPdf);

  Kov_Par& par_;
  Platform& platform_;
  WorkstationParameters storedParameters_;  // as the administrator file holds them
  FocusRouter* focus_ = nullptr;
  IdleLock* idle_ = nullptr;
  bool setUpDone_ = false;
  std::string proposed_;           // the planned operation's text last put in the comment box
  std::string keptComment_;        // kept by the idle sign-out for the administrator's next sign-in
  bool commentGivenBack_ = false;  // the comment box gets the kept comment, not selected
  QScrollArea* scroll_ = nullptr;  // holds the frames
  QMenuBar* menu_ = nullptr;
  QMenu* logMenu_ = nullptr;
  QAction* openFolder_ = nullptr;
  QPointer<Guide> guide_;
  QPointer<LogViewer> log_;

  std::int16_t In_Caricamento = 0;
  std::string Utente_Windows;
  // The period keys, yyyymmdd, set on leaving Dt(2) with both date boxes filled.
  std::string Data_Inizio;
  std::string Data_Fine;

  QGroupBox* Frm_Orologio = nullptr;
  QLabel* Lb1 = nullptr;
  QLabel* Data_G = nullptr;
  QLabel* Lb2 = nullptr;
  QLabel* Ora_G = nullptr;
  QGroupBox* Frm_At = nullptr;
  std::array<QRadioButton*, 2> Tp_Ut{};
  QGroupBox* Frm_Utente = nullptr;
  QLabel* Label7 = nullptr;
  QLineEdit* Utente = nullptr;
  QLabel* Lb_Pw = nullptr;
  QLineEdit* Pw = nullptr;
  QPushButton* Cmd_VPw = nullptr;
  QCheckBox* Var_Par = nullptr;
  QGroupBox* Frm_Par = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label2 = nullptr;
  std::array<QLineEdit*, 4> Opz_KOV{};  // 0 the comment box, 1 to 3 the parameters
  QCheckBox* Acc_Ris = nullptr;
  QLabel* N_Accessi = nullptr;
  QGroupBox* Frm_KoV = nullptr;
  std::array<QRadioButton*, 4> Op_Pi{};
  QPushButton* Cmd_Op = nullptr;
  QGroupBox* Frm_TdT = nullptr;
  QLabel* Lb_Dt1 = nullptr;
  QLabel* Label1 = nullptr;
  std::array<QLineEdit*, 3> Dt{};  // elements 1 and 2
  QCheckBox* Anche_gia_Lette = nullptr;
  QCheckBox* Rimuovi = nullptr;
  QPushButton* Cmd_Gp = nullptr;
  QTimer* Timer1 = nullptr;
};

}  // namespace kov
