#include "window/logviewer/log_viewer.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <vector>

#include "cores/logview/log_view.h"
#include "cores/report/period.h"
#include "runtime/records.h"
#include "window/logviewer/log_viewer_texts.h"
#include "window/platform/qt_text.h"
#include "window/widgets/controls.h"
#include "window/widgets/date_box.h"
#include "window/widgets/date_picker.h"
#include "window/widgets/storable_validator.h"

namespace kov {

// The rows of the log, all read once, and the indices of those the filter shows. Texts are
// converted only for the rows on screen.
class LogModel : public QAbstractTableModel {
 public:
  LogModel(std::vector<LogRow> rows, QObject* parent)
      : QAbstractTableModel(parent), rows_(std::move(rows)) {}

  void filter(const LogFilter& filter) {
    beginResetModel();
    shown_ = filterLog(rows_, filter);
    endResetModel();
  }
  qsizetype all() const { return static_cast<qsizetype>(rows_.size()); }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : kLogColumns;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    const auto column = static_cast<LogColumn>(index.column());
    if (role == Qt::TextAlignmentRole && column == LogColumn::Record) {
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return {};
    return fromCp1252(logField(rows_[shown_[static_cast<std::size_t>(index.row())]], column));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return log_viewer_text::kColumns.at(static_cast<std::size_t>(section));
  }

 private:
  std::vector<LogRow> rows_;
  std::vector<std::size_t> shown_;
};

namespace {

// The period key of a date box, empty while its text does not read as a date.
std::string keyOf(const DateBox* box) {
  const auto date = dayFirstDate(toCp1252(box->displayText()));
  return date ? RovesciaData(*date) : std::string();
}

}  // namespace

LogViewer::LogViewer(Platform& platform, const std::string& recordings, std::string onlyAccount,
                     QWidget* parent)
    : QDialog(parent), onlyAccount_(std::move(onlyAccount)) {
  setObjectName(QStringLiteral("LogViewer"));
  setWindowTitle(log_viewer_text::kTitle);
  model_ = new LogModel(readLog(platform, recordings, toCp1252(windowTitle())), this);

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
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setTabKeyNavigation(false);  // Tab leaves the list, arrows move in it
  table_->setWordWrap(false);
  // Rows of one height and columns sized by samples: nothing looks at every row.
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  const QString samples[] = {QStringLiteral("0000000"),     QStringLiteral("00/00/00000"),
                             QStringLiteral("00:00:000"),   QString(15, QLatin1Char('M')),
                             QString(16, QLatin1Char('m')), QString(40, QLatin1Char('m'))};
  for (int c = 0; c < kLogColumns - 1; ++c) {
    table_->horizontalHeader()->resizeSection(
        c, std::max(fontMetrics().horizontalAdvance(samples[c]),
                    fontMetrics().horizontalAdvance(
                        log_viewer_text::kColumns.at(static_cast<std::size_t>(c))) +
                        16));
  }
  table_->horizontalHeader()->setStretchLastSection(false);
  table_->horizontalHeader()->setSectionResizeMode(static_cast<int>(LogColumn::Description),
                                                   QHeaderView::Stretch);
  table_->horizontalHeader()->resizeSection(
      static_cast<int>(LogColumn::Reported),
      fontMetrics().horizontalAdvance(log_viewer_text::kColumns.back()) + 16);

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

  auto* buttons = new QDialogButtonBox;
  QPushButton* close = buttons->addButton(log_viewer_text::kClose, QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("Chiudi"));
  close->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filter);
  layout->addWidget(table_, 1);
  layout->addWidget(buttons);
  setTabOrder(from_, to_);
  setTabOrder(to_, search_);
  setTabOrder(search_, table_);
  setTabOrder(table_, close);
  resize(QSize(960, 540).boundedTo(screen()->availableGeometry().size()));

  for (QLineEdit* box : {static_cast<QLineEdit*>(from_), static_cast<QLineEdit*>(to_), search_}) {
    connect(box, &QLineEdit::textChanged, this, &LogViewer::applyFilter);
  }
  applyFilter();
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
  model_->filter({keyOf(from_), keyOf(to_), toCp1252(search_->text()), onlyAccount_});
  count_->setText(log_viewer_text::shownCount(model_->rowCount({}), model_->all()));
}

}  // namespace kov
