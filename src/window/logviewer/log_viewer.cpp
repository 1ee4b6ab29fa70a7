#include "window/logviewer/log_viewer.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "cores/report/period.h"
#include "cores/shared/kov_par.h"
#include "runtime/datetime.h"
#include "runtime/file.h"
#include "runtime/records.h"
#include "window/logviewer/log_detail.h"
#include "window/logviewer/log_export.h"
#include "window/logviewer/log_model.h"
#include "window/logviewer/log_viewer_texts.h"
#include "window/pdf/entries_pdf.h"
#include "window/pdf/report_pdf_texts.h"
#include "window/platform/qt_text.h"
#include "window/widgets/controls.h"
#include "window/widgets/date_box.h"
#include "window/widgets/date_picker.h"
#include "window/widgets/storable_validator.h"

namespace kov {
namespace {

// The pause in typing after which the list follows the boxes.
constexpr int kPauseMs = 250;
// Ctrl+C copies at most the rows of a classic recordings file; more are exported.
constexpr qsizetype kCopyLimit = 32767;

// The period key of a date box, empty while its text does not read as a date.
std::string keyOf(const DateBox* box) {
  const auto date = dayFirstDate(toCp1252(box->displayText()));
  return date ? RovesciaData(*date) : std::string();
}

// The box's date as it bounds the list, empty for an open end.
QString dateOf(const DateBox* box) {
  return keyOf(box).empty() ? QString() : box->displayText();
}

// Sized by samples, rows of one height: nothing looks at every row.
void sizeColumns(QTableView* table) {
  QHeaderView* header = table->horizontalHeader();
  // A cell as wide as the item delegate makes it for a sample, and the grid's line.
  QStyleOptionViewItem cell;
  cell.initFrom(table);
  cell.features = QStyleOptionViewItem::HasDisplay;
  const auto width = [&](const QString& sample) {
    cell.text = sample;
    return table->style()->sizeFromContents(QStyle::CT_ItemViewItem, &cell, {}, table).width() + 1;
  };
  const QString samples[] = {QStringLiteral("0000000"),
                             QStringLiteral("00/00/0000"),
                             QStringLiteral("00:00:00"),
                             QString(15, QLatin1Char('M')),
                             QString(16, QLatin1Char('m')),
                             QString(),
                             QStringLiteral("M")};
  for (int c = 0; c < kLogColumns; ++c) {
    header->resizeSection(c, std::max(width(samples[c]), header->sectionSizeHint(c)));
  }
  header->setStretchLastSection(false);
  header->setSectionResizeMode(static_cast<int>(LogColumn::Description), QHeaderView::Stretch);
  table->verticalHeader()->hide();
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
}

}  // namespace

LogViewer::LogViewer(Platform& platform, const std::string& recordings, std::string onlyAccount,
                     QWidget* parent)
    : QDialog(parent), platform_(platform), recordings_(recordings) {
  setObjectName(QStringLiteral("LogViewer"));
  setWindowTitle(log_viewer_text::kTitle);
  model_ =
      new LogModel(platform, recordings, std::move(onlyAccount), toCp1252(windowTitle()), this);

  from_ = new DateBox;
  from_->setObjectName(QStringLiteral("Da"));
  to_ = new DateBox;
  to_->setObjectName(QStringLiteral("A"));
  search_ = new QLineEdit;
  search_->setObjectName(QStringLiteral("Cerca"));
  makeStorable(search_, static_cast<int>(kRecordText), platform);  // an entry's length
  count_ = new QLabel;
  count_->setObjectName(QStringLiteral("Conteggio"));

  table_ = new QTableView;
  table_->setObjectName(QStringLiteral("Scritture"));
  table_->setModel(model_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setTabKeyNavigation(false);  // Tab leaves the list, arrows move in it
  table_->setWordWrap(false);
  table_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
  table_->setSortingEnabled(true);
  table_->installEventFilter(this);
  sizeColumns(table_);
  detail_ = new LogDetail;

  auto* filter = new QGridLayout;
  filter->addWidget(label(QStringLiteral("LbDa"), log_viewer_text::kFrom, from_), 0, 0);
  filter->addLayout(withPicker(from_, pickerOf(from_, platform)), 0, 1);
  filter->addWidget(label(QStringLiteral("LbA"), log_viewer_text::kTo, to_), 0, 2);
  filter->addLayout(withPicker(to_, pickerOf(to_, platform)), 0, 3);
  filter->addWidget(label(QStringLiteral("LbCerca"), log_viewer_text::kSearch, search_), 0, 4);
  filter->addWidget(search_, 0, 5);
  filter->setColumnStretch(5, 1);
  filter->addWidget(label(QStringLiteral("LbScritture"), log_viewer_text::kRows, table_), 1, 0, 1,
                    2);
  filter->addWidget(count_, 1, 2, 1, 4);

  exportCsv_ = named(new QPushButton(log_viewer_text::kExportCsv), QStringLiteral("EsportaCSV"));
  exportPdf_ = named(new QPushButton(log_viewer_text::kExportPdf), QStringLiteral("EsportaPDF"));
  auto* close = named(new QPushButton(log_viewer_text::kClose), QStringLiteral("Chiudi"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(exportCsv_);
  buttons->addWidget(exportPdf_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  for (QPushButton* button : {exportCsv_, exportPdf_, close}) button->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(exportCsv_, &QPushButton::clicked, this, &LogViewer::exportCsv);
  connect(exportPdf_, &QPushButton::clicked, this, &LogViewer::exportPdf);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filter);
  layout->addWidget(table_, 1);
  layout->addWidget(detail_);
  layout->addLayout(buttons);
  setTabOrder(from_, to_);
  setTabOrder(to_, search_);
  setTabOrder(search_, table_);
  setTabOrder(table_, detail_->description());
  setTabOrder(detail_->description(), exportCsv_);
  setTabOrder(exportCsv_, exportPdf_);
  setTabOrder(exportPdf_, close);
  resize(QSize(960, 600).boundedTo(screen()->availableGeometry().size()));

  pause_ = new QTimer(this);
  pause_->setObjectName(QStringLiteral("Pausa"));
  pause_->setSingleShot(true);
  pause_->setInterval(kPauseMs);
  connect(pause_, &QTimer::timeout, this, &LogViewer::applyFilter);
  for (QLineEdit* box : {static_cast<QLineEdit*>(from_), static_cast<QLineEdit*>(to_), search_}) {
    connect(box, &QLineEdit::textChanged, pause_, qOverload<>(&QTimer::start));
  }
  connect(model_, &LogModel::workChanged, this, &LogViewer::showWork);
  connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
    const QModelIndex current = table_->currentIndex();
    if (current.isValid()) current_ = model_->recordAt(current.row());
  });
  connect(model_, &QAbstractItemModel::modelReset, this, [this] {
    const int row = model_->rowOf(current_);
    if (row >= 0) {
      table_->selectionModel()->setCurrentIndex(
          model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      table_->scrollTo(model_->index(row, 0));
    }
    showCurrent();
  });
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &LogViewer::showCurrent);
  showWork();
  from_->setFocus();
}

DatePicker* LogViewer::pickerOf(DateBox* box, Platform& platform) {
  auto* picker = new DatePicker(box, platform);
  connect(picker, &DatePicker::periodPicked, this, [this](const DayPeriod& period) {
    from_->setText(fromCp1252(period.from));
    to_->setText(fromCp1252(period.to));
  });
  return picker;
}

void LogViewer::applyFilter() {
  model_->setFilter({keyOf(from_), keyOf(to_), toCp1252(search_->text())});
}

void LogViewer::showWork() {
  switch (model_->work()) {
    case LogModel::Work::Reading:
      count_->setText(log_viewer_text::kReading);
      break;
    case LogModel::Work::Sorting:
      count_->setText(log_viewer_text::kSorting);
      break;
    case LogModel::Work::Searching:
      count_->setText(log_viewer_text::kSearching);
      break;
    case LogModel::Work::None:
      count_->setText(log_viewer_text::shownCount(model_->rowCount({}), model_->written()));
  }
  exportCsv_->setEnabled(model_->work() == LogModel::Work::None);
  exportPdf_->setEnabled(model_->work() == LogModel::Work::None);
}

void LogViewer::showCurrent() {
  const QModelIndex current = table_->currentIndex();
  std::vector<LogRow> rows;
  const bool read = current.isValid() && model_->read({current.row()}, rows).done();
  detail_->show(read ? rows.data() : nullptr);
}

bool LogViewer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    copyRows();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void LogViewer::copyRows() {
  const QItemSelection selection = table_->selectionModel()->selection();
  qsizetype selected = 0;
  for (const QItemSelectionRange& range : selection) selected += range.height();
  if (selected > kCopyLimit) {
    return showInformation(platform_,
                           toCp1252(log_viewer_text::tooManyToCopy(selected, kCopyLimit)),
                           toCp1252(windowTitle()));
  }
  std::vector<int> rows;
  for (const QItemSelectionRange& range : selection) {
    for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
  }
  std::sort(rows.begin(), rows.end());
  std::vector<LogRow> read;
  if (model_->read(rows, read).done()) QApplication::clipboard()->setText(copyText(read));
}

std::string LogViewer::askFile(const QString& filter, const QString& suffix) {
  if (folder_.isEmpty()) {
    folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  }
  QFileDialog dialog(this, log_viewer_text::kExportTitle, folder_, filter);
  dialog.setObjectName(QStringLiteral("Salva"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontResolveSymlinks);  // a link is replaced, never followed
  dialog.setDefaultSuffix(suffix);
  dialog.selectFile(log_viewer_text::kExportName + QLatin1Char('.') + suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString file = dialog.selectedFiles().constFirst();
  folder_ = QFileInfo(file).absolutePath();
  return QFile::encodeName(file).toStdString();
}

void LogViewer::exportCsv() {
  exportRows(log_viewer_text::kCsvFilter, QStringLiteral("csv"),
             [this](const std::string& name, const std::function<bool(int)>& progress) {
               return writeCsv(*model_, name, progress);
             });
}

void LogViewer::exportPdf() {
  const DateTime now = platform_.now();
  QStringList heading = {pdf_text::workstation(fromCp1252(Leggi_Nome_Computer(platform_))),
                         log_viewer_text::pdfPeriod(dateOf(from_), dateOf(to_))};
  if (!search_->text().isEmpty()) heading.append(log_viewer_text::pdfSearch(search_->text()));
  heading.append({log_viewer_text::pdfMade(QString::fromStdString(formatDate(now)),
                                           QString::fromStdString(formatTime(now))),
                  pdf_text::entries(model_->rowCount({})),
                  log_viewer_text::pdfRecordings(QDir::toNativeSeparators(
                      QFile::decodeName(nativeName(recordings_).c_str())))});
  const EntriesDocument document{pdf_text::heading(),
                                 heading,
                                 {},
                                 {pdf_text::placeAndDate(), pdf_text::controllerSignature()}};
  exportRows(log_viewer_text::kPdfFilter, QStringLiteral("pdf"),
             [&](const std::string& name, const std::function<bool(int)>& progress) {
               return writePdf(*model_, name, document, progress);
             });
}

void LogViewer::exportRows(const QString& filter, const QString& suffix, const Writer& write) {
  const std::string name = askFile(filter, suffix);
  if (name.empty()) return;
  QProgressDialog progress(log_viewer_text::kExporting, log_viewer_text::kCancel, 0,
                           model_->rowCount({}), this);
  progress.setWindowModality(Qt::WindowModal);
  const QString failure = write(name, [&](int done) {
    progress.setValue(done);
    return !progress.wasCanceled();
  });
  if (failure.isEmpty()) return;
  platform_.message(
      Icon::Critical,
      toCp1252(log_viewer_text::notExported(QFile::decodeName(name.c_str()), failure)),
      toCp1252(windowTitle()));
}

}  // namespace kov
