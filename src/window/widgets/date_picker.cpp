#include "window/widgets/date_picker.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "cores/report/texts.h"
#include "window/platform/qt_text.h"

namespace kov {
namespace {

const QString kDayFormat = QStringLiteral("dd/MM/yyyy");

bool opensPopup(const QKeyEvent* key) {
  return (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier) ||
         (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier);
}

}  // namespace

DatePicker::DatePicker(QLineEdit* box, Platform& platform) : box_(box), platform_(platform) {
  setFocusPolicy(Qt::NoFocus);
  setArrowType(Qt::DownArrow);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);  // as high as its box
  setToolTip(fromCp1252(report_text::kPickerTip));
  setAccessibleName(fromCp1252(report_text::kPickerName));
  box->installEventFilter(this);
  connect(this, &QToolButton::clicked, this, &DatePicker::open);
}

bool DatePicker::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !opensPopup(static_cast<QKeyEvent*>(event))) {
    return false;
  }
  open();
  return true;
}

void DatePicker::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled() && popup_ != nullptr) {
    popup_->close();
    // The pop-up had the keys: they go back to the window, which a pop-up closed while
    // disabled may leave inactive.
    window()->activateWindow();
  }
  QToolButton::changeEvent(event);
}

void DatePicker::open() {
  // Escape closes it, and the focus goes back where it was.
  auto* popup = new QFrame(this, Qt::Popup);
  popup_ = popup;
  popup->setAttribute(Qt::WA_DeleteOnClose);
  popup->setFrameShape(QFrame::StyledPanel);
  auto* calendar = new QCalendarWidget;
  calendar->setObjectName(QStringLiteral("Calendario"));
  calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
  calendar->setFirstDayOfWeek(Qt::Monday);
  calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  const std::optional<std::string> shown = dayFirstDate(toCp1252(box_->displayText()));
  const DateTime today = platform_.now();
  calendar->setSelectedDate(shown ? QDate::fromString(fromCp1252(*shown), kDayFormat)
                                  : QDate(today.year, today.month, today.day));
  auto* layout = new QVBoxLayout(popup);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addWidget(calendar);
  auto* presets = new QHBoxLayout;
  for (const auto& choice : {std::pair{PeriodPreset::LastMonth, report_text::kLastMonth},
                             {PeriodPreset::ThisMonth, report_text::kThisMonth},
                             {PeriodPreset::LastYear, report_text::kLastYear}}) {
    // The first letter is the access key: M, Q and A.
    auto* button = new QPushButton(QLatin1Char('&') + fromCp1252(choice.second));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, popup, [this, popup, preset = choice.first] {
      popup->close();
      pickPeriod(preset);
    });
    presets->addWidget(button);
  }
  layout->addLayout(presets);
  // A click on a day or Enter on the day the arrow keys reached.
  for (const auto signal : {&QCalendarWidget::clicked, &QCalendarWidget::activated}) {
    connect(calendar, signal, popup, [this, popup](QDate day) {
      popup->close();
      pickDay(day);
    });
  }
  popup->adjustSize();
  // Under the box, or over it where the screen ends first (the report frame is at the bottom
  // of the window).
  QPoint at = box_->mapToGlobal(QPoint(0, box_->height()));
  if (at.y() + popup->height() > box_->screen()->availableGeometry().bottom()) {
    at.ry() -= box_->height() + popup->height();
  }
  popup->move(at);
  popup->show();
  calendar->setFocus(Qt::PopupFocusReason);
}

void DatePicker::pickDay(QDate day) {
  box_->setFocus();
  box_->setText(day.toString(kDayFormat));
}

void DatePicker::pickPeriod(PeriodPreset preset) {
  emit periodPicked(presetPeriod(preset, platform_.now()));
}

QHBoxLayout* withPicker(QLineEdit* box, DatePicker* picker) {
  auto* pair = new QHBoxLayout;
  pair->setSpacing(1);
  pair->addWidget(box);
  pair->addWidget(picker);
  return pair;
}

}  // namespace kov
