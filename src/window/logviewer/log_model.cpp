#include "window/logviewer/log_model.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "cores/logview/texts.h"
#include "cores/shared/kov_par.h"
#include "window/logviewer/log_viewer_texts.h"
#include "window/platform/qt_text.h"

namespace kov {
namespace {

constexpr int kBlock = 128;  // rows read together for the view

}  // namespace

LogModel::LogModel(Platform& platform, std::string recordings, std::string onlyAccount,
                   std::string title, QObject* parent)
    : QAbstractTableModel(parent),
      platform_(platform),
      recordings_(std::move(recordings)),
      onlyAccount_(std::move(onlyAccount)),
      title_(std::move(title)) {
  start();
}

LogModel::~LogModel() = default;

qsizetype LogModel::written() const {
  return view_.index ? static_cast<qsizetype>(view_.index->written) : 0;
}

int LogModel::rowOf(std::uint32_t record) const {
  if (!view_.shown) return -1;
  const auto at = std::find(view_.shown->begin(), view_.shown->end(), record);
  return at == view_.shown->end() ? -1 : static_cast<int>(at - view_.shown->begin());
}

Scan LogModel::read(const std::vector<int>& rows, std::vector<LogRow>& read) const {
  read.assign(rows.size(), {});
  std::vector<std::pair<std::uint32_t, std::size_t>> wanted;  // record, place in `read`
  for (std::size_t i = 0; i < rows.size(); ++i) {
    read[i].record = recordAt(rows[i]);
    wanted.emplace_back(read[i].record, i);
  }
  std::sort(wanted.begin(), wanted.end());
  std::vector<std::uint32_t> records(wanted.size());
  std::transform(wanted.begin(), wanted.end(), records.begin(), [](auto w) { return w.first; });
  auto next = wanted.begin();
  Scan scan = readListed(*view_.index, recordsIn(records), std::stop_token(),
                         [&](std::uint32_t /*record*/, std::string_view entry) {
                           read[(next++)->second].entry = entry;
                         });
  if (!scan.done()) readAgain();
  return scan;
}

void LogModel::readAgain() const {
  if (reread_) return;
  reread_ = true;
  QMetaObject::invokeMethod(const_cast<LogModel*>(this), "start", Qt::QueuedConnection);
}

void LogModel::post(std::function<void()> result) {
  {
    const std::lock_guard<std::mutex> lock(resultLock_);
    result_ = std::move(result);
  }
  QMetaObject::invokeMethod(this, "deliver", Qt::QueuedConnection);
}

void LogModel::deliver() {
  std::function<void()> result;
  {
    const std::lock_guard<std::mutex> lock(resultLock_);
    result.swap(result_);
  }
  if (result) result();
}

void LogModel::setFilter(const LogFilter& filter) {
  if (filter == filter_) return;
  filter_ = filter;
  start();
}

void LogModel::sort(int column, Qt::SortOrder order) {
  const LogOrder asked = {static_cast<LogColumn>(column), order == Qt::DescendingOrder};
  if (asked == order_) return;
  order_ = asked;
  start();
}

void LogModel::start() {
  if (reread_ && work_ == Work::Reading) return;  // what is asked follows the reading
  const std::uint64_t job = ++job_;
  if (reread_) {
    setWork(Work::Reading);
    worker_.run([this, job](const std::stop_token& stop) {
      LoadedLog loaded = loadLog(recordings_, onlyAccount_, stop);
      if (stop.stop_requested()) return;
      post([this, job, loaded = std::move(loaded)] { this->loaded(job, loaded); });
    });
  } else if (view_.order != order_ || view_.filter != filter_) {
    setWork(view_.order != order_ ? Work::Sorting : Work::Searching);
    worker_.run([this, job, view = view_, order = order_,
                 filter = filter_](const std::stop_token& stop) mutable {
      const Scan scan = updateView(view, order, filter, stop);
      if (scan.stopped) return;
      post([this, job, view = std::move(view), scan] { updated(job, view, scan); });
    });
  } else {
    worker_.stop();
    setWork(Work::None);
  }
}

void LogModel::loaded(std::uint64_t job, const LoadedLog& loaded) {
  if (job != job_) return;
  beginResetModel();
  view_ = LogView::of(loaded.index);
  cachedFrom_ = -1;
  reread_ = false;
  endResetModel();
  start();
  showLoadFailure(platform_, loaded, title_);
}

void LogModel::updated(std::uint64_t job, const LogView& view, const Scan& scan) {
  if (job != job_) return;
  if (scan.changed) {
    reread_ = true;
    start();
    return;
  }
  if (scan.error) {
    setWork(Work::None);  // what was asked stays asked: the next change tries it again
    showTrappedError(platform_, logview_text::kProcedure, scan.error);
    return;
  }
  beginResetModel();
  view_ = view;
  cachedFrom_ = -1;
  endResetModel();
  start();
}

void LogModel::setWork(Work work) {
  work_ = work;
  emit workChanged();
}

const LogRow* LogModel::cached(int row) const {
  const int from = row / kBlock * kBlock;
  if (from != cachedFrom_) {
    if (reread_) return nullptr;
    std::vector<int> rows(static_cast<std::size_t>(std::min(kBlock, rowCount({}) - from)));
    std::iota(rows.begin(), rows.end(), from);
    cachedFrom_ = -1;
    if (!read(rows, cache_).done()) return nullptr;
    cachedFrom_ = from;
  }
  return &cache_[static_cast<std::size_t>(row - from)];
}

int LogModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !view_.shown ? 0 : static_cast<int>(view_.shown->size());
}

int LogModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kLogColumns;
}

QVariant LogModel::data(const QModelIndex& index, int role) const {
  const auto column = static_cast<LogColumn>(index.column());
  if (role == Qt::TextAlignmentRole && column == LogColumn::Record) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  const bool tip = role == Qt::ToolTipRole && column == LogColumn::Description;
  if (role != Qt::DisplayRole && !tip) return {};
  const LogRow* row = cached(index.row());
  if (row == nullptr) return {};
  const QString text = fromCp1252(logField(row->record, row->entry, column));
  // A rich text wraps: a long description is read whole.
  return tip ? QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()) : text;
}

QVariant LogModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::InitialSortOrderRole) return Qt::AscendingOrder;  // whatever the style
  if (role != Qt::DisplayRole) return {};
  return log_viewer_text::kColumns.at(static_cast<std::size_t>(section));
}

}  // namespace kov
