// The window "Registro delle operazioni": the records of the recordings file, read only, in
// the order of a column (the record number at first), filtered by period, by a text and, for
// the administrator, by his own account; the selected entry whole below the list; the rows
// shown exported or copied.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "cores/shared/platform.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace kov {

class DateBox;
class DatePicker;
class LogDetail;
class LogModel;

class LogViewer : public QDialog {
  Q_OBJECT

 public:
  // `recordings` is the recordings file's full name; `onlyAccount` the account whose
  // entries alone are listed, empty for every account. The file is read from here on, off
  // the window's thread.
  LogViewer(Platform& platform, const std::string& recordings, std::string onlyAccount,
            QWidget* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A picker beside a period's box; its ready-made periods fill both boxes.
  DatePicker* pickerOf(DateBox* box, Platform& platform);
  void applyFilter();
  void showWork();     // the count, or what the list is waiting for
  void showCurrent();  // the selected entry in the detail
  void copyRows();
  void exportCsv();
  void exportPdf();
  // Asks for a file in a save dialog of `filter` and has `write(name, progress)` write the
  // rows shown into it under a progress dialog that can cancel; says why when it fails.
  using Writer = std::function<QString(const std::string&, const std::function<bool(int)>&)>;
  void exportRows(const QString& filter, const QString& suffix, const Writer& write);
  // The file the user names in a save dialog of that filter, native; empty when none.
  std::string askFile(const QString& filter, const QString& suffix);

  Platform& platform_;
  std::string recordings_;
  LogModel* model_ = nullptr;
  // The period's boxes, "dd/mm/yyyy": a date that reads as one bounds the period, anything
  // else leaves that end open. The list follows their text and the search's after a pause.
  DateBox* from_ = nullptr;
  DateBox* to_ = nullptr;
  QLineEdit* search_ = nullptr;
  QTimer* pause_ = nullptr;
  QLabel* count_ = nullptr;
  QTableView* table_ = nullptr;
  LogDetail* detail_ = nullptr;
  QPushButton* exportCsv_ = nullptr;
  QPushButton* exportPdf_ = nullptr;
  std::uint32_t current_ = 0;  // the record of the current row, kept across new rows
  QString folder_;             // where the last export went
};

}  // namespace kov
