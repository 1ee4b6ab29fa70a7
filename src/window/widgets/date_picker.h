// A small button beside a date box that drops down a calendar and the ready-made periods.
// It takes no focus, so a window's tab order stays as it was: it opens with a click, or with
// F4 or Alt+Down while its box has the focus.
#pragma once

#include <QPointer>
#include <QToolButton>

#include "cores/report/period.h"

class QFrame;
class QHBoxLayout;
class QLineEdit;

namespace kov {

class DatePicker : public QToolButton {
  Q_OBJECT
 public:
  // The calendar opens on the box's date, or on the platform's today when it holds none.
  DatePicker(QLineEdit* box, Platform& platform);

 signals:
  // A ready-made period was picked. Filling the boxes, and where the focus goes, is up to
  // the window, which knows both boxes of the period and what leaving each of them does.
  void periodPicked(const kov::DayPeriod& period);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Locked with its frame (the idle sign-out), it closes the pop-up: a disabled pop-up
  // would keep the keys from the window.
  void changeEvent(QEvent* event) override;

 private:
  // Drops the pop-up down under the box, the calendar holding the focus.
  void open();
  // A day picked goes into the box as if typed, the box holding the focus.
  void pickDay(QDate day);
  void pickPeriod(PeriodPreset preset);

  QLineEdit* box_;
  Platform& platform_;
  QPointer<QFrame> popup_;
};

// The box with its picker just beside it.
QHBoxLayout* withPicker(QLineEdit* box, DatePicker* picker);

}  // namespace kov
