// The rows of the window "Registro delle operazioni" as a table model over the log's index.
// Reading the file, sorting and searching run on a thread of their own, so the window never
// waits on them; the texts of a row are read from the file when the view asks for it, a few
// rows at a time.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "cores/logview/log_view.h"
#include "cores/shared/platform.h"
#include "window/logviewer/latest_work.h"

namespace kov {

// A row as read from the file: `entry` is empty for a damaged record.
struct LogRow {
  std::uint32_t record = 0;
  std::string entry;
};

class LogModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum class Work { None, Reading, Sorting, Searching };

  // Starts reading `recordings` (the full name) at once; `onlyAccount` as for loadLog.
  // Failures are shown through `platform` in boxes titled `title`.
  LogModel(Platform& platform, std::string recordings, std::string onlyAccount, std::string title,
           QObject* parent);
  ~LogModel() override;
  LogModel(const LogModel&) = delete;
  LogModel& operator=(const LogModel&) = delete;

  Work work() const { return work_; }
  qsizetype written() const;  // the records of the file that are not empty, listed or not
  std::uint32_t recordAt(int row) const { return (*view_.shown)[static_cast<std::size_t>(row)]; }
  int rowOf(std::uint32_t record) const;  // -1 when it is not shown
  // The rows `rows` as the file now holds them. When the file could not be read or no longer
  // holds them as listed, the list is read again.
  Scan read(const std::vector<int>& rows, std::vector<LogRow>& read) const;

  // The rows follow when the work for them is done; meanwhile the rows shown stay.
  void setFilter(const LogFilter& filter);
  void sort(int column, Qt::SortOrder order) override;

  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  void workChanged();  // work begun or ended: the rows may be new

 private:
  // The work toward the order and filter asked for, or the reading again.
  Q_INVOKABLE void start();
  void readAgain() const;  // once the rows are done with: the file changed under them
  // The worker's result handed to the window's thread, where `deliver` runs it. Queued by
  // name: a call queued as a function object is taken by the analyzer for a leak.
  void post(std::function<void()> result);
  Q_INVOKABLE void deliver();
  void loaded(std::uint64_t job, const LoadedLog& loaded);
  void updated(std::uint64_t job, const LogView& view, const Scan& scan);
  void setWork(Work work);
  const LogRow* cached(int row) const;

  Platform& platform_;
  const std::string recordings_, onlyAccount_, title_;
  LogView view_;  // what the rows show; no index while the file is first read
  LogOrder order_;
  LogFilter filter_;
  Work work_ = Work::None;
  mutable bool reread_ = true;  // the file is to be read (again) before anything else
  std::uint64_t job_ = 0;       // the work under way; a result of another one is stale
  // The rows last read for the view, a block at a time.
  mutable int cachedFrom_ = -1;
  mutable std::vector<LogRow> cache_;
  std::mutex resultLock_;
  std::function<void()> result_;  // the worker's latest, to be delivered
  LatestWork worker_;             // last: stopped and joined before anything it uses goes
};

}  // namespace kov
