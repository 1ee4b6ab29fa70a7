// The log viewer on a full recordings file of the classic size (32,767 entries, 8 MiB) and on
// the largest the program reads (4,194,304 entries, 1 GiB), in no order of date, beside the
// floor: the same file read sequentially in the same 1 MiB pieces. Opening is measured from
// the window's construction to the list shown with its count (offscreen); the core's reading
// alone, a text searched over every row and the orders by date and by description too. The
// resident memory after opening is reported as a counter (MB).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cores/logview/log_view.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "window/logviewer/log_viewer.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunk = std::size_t{1} << 20;

// A recordings file of `records` entries, written on first use and removed at the end.
class Recordings {
 public:
  explicit Recordings(int records) {
    std::string pattern = (fs::temp_directory_path() / "kov-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    std::ofstream out(file(), std::ios::binary);
    std::string bytes;
    for (int n = 0; n < records; ++n) {
      char date[24];
      std::snprintf(date, sizeof date, "%02d/%02d/%04d%02d:%02d:%02d", 1 + n * 37 % 28,
                    1 + n * 11 % 12, 2025 + n % 2, n * 7 % 24, n % 60, n * 13 % 60);
      bytes +=
          test::storedRecord("N" + std::string(date) + test::pad("PC-01", 14) +
                             test::pad("Admin", 20) + "Operazione numero " + std::to_string(n));
      if (bytes.size() >= kChunk) {
        out.write(bytes.data(), std::ssize(bytes));
        bytes.clear();
      }
    }
    if (!bytes.empty()) out.write(bytes.data(), std::ssize(bytes));
    if (!out.flush()) std::abort();
  }
  ~Recordings() { fs::remove_all(folder_); }
  Recordings(const Recordings&) = delete;
  Recordings& operator=(const Recordings&) = delete;
  std::string file() const { return folder_ + "/OdV"; }

 private:
  std::string folder_;
};

const Recordings& recordings(benchmark::State& state) {
  static std::map<std::int64_t, std::unique_ptr<Recordings>> files;
  auto& file = files[state.range(0)];
  if (!file) file = std::make_unique<Recordings>(static_cast<int>(state.range(0)));
  return *file;
}

double residentMB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;  // kB
  }
  return 0;
}

void setBytes(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() * state.range(0) * 256);
}

void BM_OpenViewer(benchmark::State& state) {
  const std::string file = recordings(state).file();
  test::FakePlatform platform;
  const QString shown = QStringLiteral("Scritture mostrate: %1 di %1").arg(state.range(0));
  for (auto _ : state) {
    LogViewer viewer(platform, file, "", nullptr);
    viewer.show();
    const auto* count = viewer.findChild<QLabel*>(QStringLiteral("Conteggio"));
    while (count->text() != shown) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    state.PauseTiming();
    state.counters["resident_MB"] = residentMB();
    state.ResumeTiming();
  }
  if (!platform.messages.empty()) state.SkipWithError("the viewer showed a message");
  setBytes(state);
}

void BM_LoadLog(benchmark::State& state) {
  const std::string file = recordings(state).file();
  for (auto _ : state) {
    if (std::ssize(loadLog(file, "", {}).index->listed) != state.range(0)) {
      state.SkipWithError("the log lost records");
    }
  }
  setBytes(state);
}

// The list brought to an order or a text from the order by number: a text typed in "Cerca"
// that no entry holds (every column of every row is looked at), the order by date, the order by
// description (alike in their first 18 characters: for the largest file, several readings).
void BM_View(benchmark::State& state, const LogOrder& order, const LogFilter& filter) {
  const auto index = loadLog(recordings(state).file(), "", {}).index;
  for (auto _ : state) {
    LogView view = LogView::of(index);
    if (!updateView(view, order, filter, {}).done()) state.SkipWithError("not done");
  }
  setBytes(state);
}

void BM_Floor(benchmark::State& state) {
  const std::string file = recordings(state).file();
  std::vector<char> buffer(kChunk);
  for (auto _ : state) {
    const int in = ::open(file.c_str(), O_RDONLY);
    for (off_t at = 0; ::pread(in, buffer.data(), kChunk, at) > 0; at += kChunk) {
    }
    ::close(in);
  }
  setBytes(state);
}

constexpr std::int64_t kClassic = 32767;
constexpr std::int64_t kLargest = 4194304;

BENCHMARK(BM_OpenViewer)
    ->Arg(kClassic)
    ->Arg(kLargest)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LoadLog)->Arg(kClassic)->Arg(kLargest)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_View, FilterText, LogOrder{}, LogFilter{.text = "zzz"})
    ->Arg(kClassic)
    ->Arg(kLargest)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_View, SortByDate, LogOrder{.column = LogColumn::Date}, LogFilter{})
    ->Arg(kClassic)
    ->Arg(kLargest)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_View, SortByDescription, LogOrder{.column = LogColumn::Description},
                  LogFilter{})
    ->Arg(kClassic)
    ->Arg(kLargest)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Floor)->Arg(kClassic)->Arg(kLargest)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kov
