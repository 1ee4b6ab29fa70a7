// The main window's controls: captions, tool tips, input limits and layout, frame by frame
// from the top of the window to the bottom. The creation order is the tab order.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "cores/oplog/entry.h"
#include "window/focus/focus_router.h"
#include "window/focus/idle_lock.h"
#include "window/focus/key_typed.h"
#include "window/main/kov.h"
#include "window/platform/qt_text.h"
#include "window/widgets/colours.h"
#include "window/widgets/controls.h"
#include "window/widgets/date_box.h"
#include "window/widgets/date_picker.h"
#include "window/widgets/password_echo.h"
#include "window/widgets/storable_validator.h"

namespace kov {
namespace {

QString indexed(const char* name, int index) {
  return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

// Enter presses the button that holds the focus, as Space does: what users of the
// workstations expect. Outside a dialog only an auto-default button answers Enter.
QPushButton* button(const QString& name, const QString& caption, const QString& toolTip) {
  auto* control = named(new QPushButton(caption), name, toolTip);
  control->setAutoDefault(true);
  return control;
}

// Tighter than the style's spacing, so that the window fits the small office screens.
template <typename Layout>
Layout* compact(Layout* layout) {
  layout->setContentsMargins(6, 3, 6, 3);
  layout->setSpacing(4);
  return layout;
}

}  // namespace

KOV::KOV(Kov_Par& par, Platform& platform) : par_(par), platform_(platform) {
  setObjectName(QStringLiteral("KOV"));
  setWindowTitle(QStringLiteral("Log Accessi Amministratore - Versione "));
  focus_ = new FocusRouter(this);
  buildControls();
  Timer1->start();
  idle_ = new IdleLock(this, [this] { lockWhenIdle(); });
}

void KOV::setIdleLimit(std::chrono::milliseconds limit) {
  idle_->setLimit(limit);
}

void KOV::fitToScreen() {
  // Form_Load centres the window on the whole screen; there it must lie within the free
  // area (the screen less its panels), title bar included. The frames get the size they
  // ask within that room, and scroll in what is left.
  const ScreenSize whole = platform_.screenSize();
  const QPoint centre(whole.width / 2, whole.height / 2);
  const QRect free = screen()->availableGeometry();
  const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
  // A centre outside the free area leaves no centred place inside it: the free area bounds.
  QSize room(free.width(), free.height() - titleBar);
  if (free.contains(centre)) {
    room = QSize(2 * std::min(centre.x() - free.left(), free.right() - centre.x()),
                 2 * std::min(centre.y() - free.top(), free.bottom() - titleBar - centre.y()));
  }
  // The menu bar takes the height it needs at the frames' width, which a style may make more
  // than its size hint (the Windows one adds its frame): a pixel short would make all scroll.
  const QSize frames = scroll_->widget()->sizeHint();
  const int menuHeight =
      std::max(menu_->heightForWidth(frames.width()), menu_->sizeHint().height());
  QSize wanted = frames + QSize(0, menuHeight);
  if (wanted.height() > room.height()) {
    wanted.rwidth() += scroll_->verticalScrollBar()->sizeHint().width();
  }
  resize(wanted.boundedTo(room));
}

void KOV::storableBox(QLineEdit* box, int limit) {
  makeStorable(box, limit, platform_);
}

void KOV::buildControls() {
  // The frames scroll inside the window when a screen is too small to show them whole.
  auto* frames = new QWidget;
  auto* layout = compact(new QVBoxLayout(frames));

  Frm_Orologio = named(new QGroupBox, QStringLiteral("Frm_Orologio"));
  Data_G = named(new QLabel, QStringLiteral("Data_G"));
  Ora_G = named(new QLabel, QStringLiteral("Ora_G"));
  Lb1 = label(QStringLiteral("Lb1"), QStringLiteral("Data:"));
  Lb2 = label(QStringLiteral("Lb2"), QStringLiteral("Ora:"));
  auto* clock = compact(new QHBoxLayout(Frm_Orologio));
  clock->addWidget(Lb1);
  clock->addWidget(Data_G);
  clock->addStretch();
  clock->addWidget(Lb2);
  clock->addWidget(Ora_G);
  layout->addWidget(Frm_Orologio);

  Frm_At = named(new QGroupBox(QStringLiteral("Scelta dell'Utente ")), QStringLiteral("Frm_At"));
  Tp_Ut[0] =
      named(new QRadioButton(QStringLiteral("&Amministratore di Sistema")), indexed("Tp_Ut", 0),
            QStringLiteral("abilita le funzioni riservate all'amministratore di sistema"));
  Tp_Ut[1] = named(
      new QRadioButton(QStringLiteral("&Titolare del Trattamento")), indexed("Tp_Ut", 1),
      QStringLiteral("Abilita le funzioni risevate al titolare o Responsabile del Trattamento "));
  auto* roles = compact(new QHBoxLayout(Frm_At));
  roles->addWidget(Tp_Ut[0]);
  roles->addWidget(Tp_Ut[1]);
  roles->addStretch();
  layout->addWidget(Frm_At);

  Frm_Utente = named(new QGroupBox(QStringLiteral("Utente")), QStringLiteral("Frm_Utente"));
  Utente =
      named(new QLineEdit, QStringLiteral("Utente"),
            QStringLiteral("Digitare il nome dell'utente abilitato (amministratore o titolare)"));
  storableBox(Utente, kFieldWidth);
  Label7 = label(QStringLiteral("Label7"), QStringLiteral("Acco&unt"), Utente);
  Pw = named(new QLineEdit, QStringLiteral("Pw"), QStringLiteral("Digitare la password impostata"));
  storableBox(Pw, kFieldWidth);
  showAsStars(Pw);
  Lb_Pw = label(QStringLiteral("Lb_Pw"), QStringLiteral("&Password"), Pw);
  Cmd_VPw = button(QStringLiteral("Cmd_VPw"), QStringLiteral("&Varia Password"),
                   QStringLiteral("Consente di Variare la propria Password; per l'Kov consente di "
                                  "salvare anche i parametri della postazione di lavoro  "));
  Cmd_VPw->setEnabled(false);
  Var_Par = named(new QCheckBox, QStringLiteral("Var_Par"),
                  QStringLiteral("Se attivo, consente all'amministratore di sistema di variare i "
                                 "parametri della Postazione"));
  // Without a caption of its own, a screen reader names it after what it unlocks.
  Var_Par->setAccessibleName(QStringLiteral("Parametri della Postazione di Lavoro"));
  auto* user = compact(new QHBoxLayout(Frm_Utente));
  for (QWidget* control : {static_cast<QWidget*>(Label7), static_cast<QWidget*>(Utente),
                           static_cast<QWidget*>(Lb_Pw), static_cast<QWidget*>(Pw),
                           static_cast<QWidget*>(Cmd_VPw), static_cast<QWidget*>(Var_Par)}) {
    user->addWidget(control);
  }
  layout->addWidget(Frm_Utente);

  Frm_Par = named(new QGroupBox(QStringLiteral("Parametri della Postazione di Lavoro")),
                  QStringLiteral("Frm_Par"));
  Frm_Par->setEnabled(false);
  Opz_KOV[1] = named(new QLineEdit, indexed("Opz_KOV", 1), QStringLiteral("Nome della Postazione"));
  storableBox(Opz_KOV[1], kWorkstationWidth);
  Label5 = label(QStringLiteral("Label5"), QStringLiteral("&WorkStation"), Opz_KOV[1]);
  Opz_KOV[2] = named(new QLineEdit, indexed("Opz_KOV", 2),
                     QStringLiteral("Nome del file di log generato dalla procedura (es.KoV.log)"));
  storableBox(Opz_KOV[2], kFieldWidth);
  Label4 = label(QStringLiteral("Label4"), QStringLiteral("&Nome File Report"), Opz_KOV[2]);
  Opz_KOV[3] = named(new QLineEdit, indexed("Opz_KOV", 3),
                     QStringLiteral("Digitare il percorso di destinazione del fil di log generato "
                                    "dalla procedura"));
  storableBox(Opz_KOV[3], 199);
  Label2 = label(QStringLiteral("Label2"), QStringLiteral("Pat&h File Report"), Opz_KOV[3]);
  Acc_Ris =
      named(new QCheckBox(QStringLiteral("Accesso &Limitato")), QStringLiteral("Acc_Ris"),
            QStringLiteral("Se attivato, la procedura si attiva solo se l'utente di windows è "
                           "uguale all'Amministratore di Sistema o al  Titolare del "
                           "Trattamento."));
  N_Accessi = named(new QLabel, QStringLiteral("N_Accessi"));
  // A bare number tells a screen reader's user nothing: it is named for what it counts.
  N_Accessi->setAccessibleName(QStringLiteral("Numero delle scritture registrate"));
  auto* parameters = compact(new QGridLayout(Frm_Par));
  parameters->addWidget(Label5, 0, 0);
  parameters->addWidget(Opz_KOV[1], 0, 1);
  parameters->addWidget(Label4, 0, 2);
  parameters->addWidget(Opz_KOV[2], 0, 3);
  parameters->addWidget(Label2, 1, 0);
  parameters->addWidget(Opz_KOV[3], 1, 1, 1, 3);
  parameters->addWidget(Acc_Ris, 1, 4);
  parameters->addWidget(N_Accessi, 1, 5, Qt::AlignRight);
  parameters->setColumnStretch(1, 1);
  parameters->setColumnStretch(3, 1);
  layout->addWidget(Frm_Par);

  Frm_KoV =
      named(new QGroupBox(QStringLiteral("Operazioni Pianificate")), QStringLiteral("Frm_KoV"));
  Op_Pi[0] =
      named(new QRadioButton(QStringLiteral("Verifica funzionamento operazioni di &Backup ")),
            indexed("Op_Pi", 0));
  Op_Pi[1] = named(new QRadioButton(QStringLiteral("&Simulazione ripristino Data Base")),
                   indexed("Op_Pi", 1));
  Op_Pi[2] = named(new QRadioButton(QStringLiteral(
                       "Predisposizione &credenziali utenti abilitati all'accesso nella rete")),
                   indexed("Op_Pi", 2));
  Op_Pi[3] = named(new QRadioButton(QStringLiteral("Alt&ro")), indexed("Op_Pi", 3));
  Cmd_Op =
      button(QStringLiteral("Cmd_Op"), QStringLiteral("&Ok"),
             QStringLiteral("Consente di inserire il commento nel file delle operazioni svolte "
                            "dall'amministatore di Sistema"));
  Opz_KOV[0] =
      named(new QLineEdit, indexed("Opz_KOV", 0),
            QStringLiteral("Commentare l'operazione eseguita che verrà salvata nel file di log."));
  storableBox(Opz_KOV[0], 200);
  // The box has no label, and the window's two buttons both read "Ok": a screen reader
  // says what each is for.
  Opz_KOV[0]->setAccessibleName(QStringLiteral("Commento dell'operazione"));
  Cmd_Op->setAccessibleName(QStringLiteral("Salva il commento nel file delle operazioni"));
  auto* entries = compact(new QGridLayout(Frm_KoV));
  for (int i = 0; i < 4; ++i) entries->addWidget(Op_Pi[static_cast<std::size_t>(i)], i / 2, i % 2);
  entries->addWidget(Cmd_Op, 0, 2, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
  entries->addWidget(Opz_KOV[0], 2, 0, 1, 3);
  layout->addWidget(Frm_KoV);

  Frm_TdT = named(
      new QGroupBox(QStringLiteral("Generazione Report Accessi dell'Amministratore di Sistema")),
      QStringLiteral("Frm_TdT"));
  Frm_TdT->setEnabled(false);
  Dt[1] = named(new DateBox, indexed("Dt", 1),
                QStringLiteral("Data di Inizio ricerca delle scritture da ricercare"));
  Lb_Dt1 = label(QStringLiteral("Lb_Dt1"), QStringLiteral("&Da Data Accesso"), Dt[1]);
  Dt[2] = named(new DateBox, indexed("Dt", 2),
                QStringLiteral("Data di Fine ricerca delle scritture da rilevare"));
  Label1 = label(QStringLiteral("Label1"), QStringLiteral("A  Data Acc&esso"), Dt[2]);
  Anche_gia_Lette = named(new QCheckBox(QStringLiteral("Anche gli accessi &già trattati")),
                          QStringLiteral("Anche_gia_Lette"),
                          QStringLiteral("se attivo preleva anche le scritture già rilevate in "
                                         "precedenza"));
  Rimuovi = named(new QCheckBox(QStringLiteral("Ri&muovi i Report esistenti ")),
                  QStringLiteral("Rimuovi"),
                  QStringLiteral("Se attivo rimuove a fine lettura il file delle rilevazioni"));
  Cmd_Gp = button(QStringLiteral("Cmd_Gp"), QStringLiteral("&Ok"),
                  QStringLiteral("Consente di generare il file di log delle scritture "
                                 "dell'amministratore di sistema"));
  Cmd_Gp->setAccessibleName(QStringLiteral("Genera il report"));
  auto* report = compact(new QGridLayout(Frm_TdT));
  report->addWidget(Lb_Dt1, 0, 0);
  report->addWidget(Label1, 1, 0);
  for (std::size_t i = 1; i <= 2; ++i) {
    auto* picker = named(new DatePicker(Dt[i], platform_), indexed("Pick_Dt", static_cast<int>(i)));
    report->addLayout(withPicker(Dt[i], picker), static_cast<int>(i) - 1, 1);
    connect(picker, &DatePicker::periodPicked, this,
            [this](const DayPeriod& period) { fillPeriod(period); });
  }
  report->addWidget(Anche_gia_Lette, 0, 2);
  report->addWidget(Rimuovi, 1, 2);
  report->addWidget(Cmd_Gp, 0, 3, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
  report->setColumnStretch(2, 1);
  layout->addWidget(Frm_TdT);

  scroll_ = named(new QScrollArea, QStringLiteral("scroll"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);  // Tab goes from control to control, as before
  scroll_->setWidgetResizable(true);
  scroll_->setWidget(frames);
  auto* window = new QVBoxLayout(this);
  window->setContentsMargins({});
  menu_ = buildMenu();
  window->setMenuBar(menu_);
  window->addWidget(scroll_);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(500);

  for (std::int16_t i = 0; i < 2; ++i) {
    connect(Tp_Ut[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) Tp_Ut_Click(i);
    });
  }
  connect(Var_Par, &QCheckBox::toggled, this, [this] { Var_Par_Click(); });
  connect(Cmd_VPw, &QPushButton::clicked, this, [this] { Cmd_VPw_Click(); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  focus_->add(
      Utente, [this] { Utente_GotFocus(); }, [this] { Utente_LostFocus(); });
  focus_->add(
      Pw, [this] { Pw_GotFocus(); }, [this] { Pw_LostFocus(); });
  for (std::int16_t i = 0; i < 4; ++i) {
    connect(Op_Pi[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) Op_Pi_Click(i);
    });
  }
  connect(Cmd_Op, &QPushButton::clicked, this, [this] { Cmd_Op_Click(); });
  for (std::int16_t i = 1; i <= 2; ++i) {
    QLineEdit* box = Dt[static_cast<std::size_t>(i)];
    focus_->add(
        box, [this, i] { Dt_GotFocus(i); }, [this, i] { Dt_LostFocus(i); });
    new KeyTyped(box, [this, i](std::int16_t& KeyAscii) { Dt_KeyPress(i, KeyAscii); });
  }
  connect(Cmd_Gp, &QPushButton::clicked, this, [this] { Cmd_Gp_Click(); });
  for (std::int16_t i = 0; i < 4; ++i) {
    focus_->add(
        Opz_KOV[static_cast<std::size_t>(i)], [this, i] { Opz_KOV_GotFocus(i); },
        [this, i] { Opz_KOV_LostFocus(i); });
  }
  focus_->focusBeforeAccessKeyClicks();
}

std::string KOV::textOf(const QLineEdit* box) const {
  return toCp1252(box->text());
}

void KOV::setTextOf(QLineEdit* box, std::string_view text) {
  putText(box, fromCp1252(text));
}

}  // namespace kov
