// The window "Registro delle operazioni": the records of the recordings file, read only,
// the entries by date and time and the damaged records by number, filtered by period, by
// a text and, for the administrator, by his own account.
#pragma once

#include <QDialog>
#include <string>

#include "cores/shared/platform.h"

class QLabel;
class QLineEdit;
class QTableView;

namespace kov {

class DateBox;
class DatePicker;
class LogModel;

class LogViewer : public QDialog {
  Q_OBJECT

 public:
  // `recordings` is the recordings file's full name; `onlyAccount` the account whose
  // entries alone are listed, empty for every account. The file is read here, once.
  LogViewer(Platform& platform, const std::string& recordings, std::string onlyAccount,
            QWidget* parent);

 private:
  // A picker beside a period's box; its ready-made periods fill both boxes.
  DatePicker* pickerOf(DateBox* box, Platform& platform);
  void applyFilter();

  std::string onlyAccount_;
  LogModel* model_ = nullptr;
  // The period's boxes, "dd/mm/yyyy": a date that reads as one bounds the period, anything
  // else leaves that end open. The list follows every change of their text.
  DateBox* from_ = nullptr;
  DateBox* to_ = nullptr;
  QLineEdit* search_ = nullptr;
  QLabel* count_ = nullptr;
  QTableView* table_ = nullptr;
};

}  // namespace kov
