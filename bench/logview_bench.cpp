// Opening the log viewer on a full recordings file (32,767 entries, 8 MiB, in no order of
// date) beside its floor: the same file read sequentially in the same pieces. The viewer
// reads and unscrambles every record, sorts the entries, fills its list and is shown
// (offscreen); the core's part alone is measured too, and a filter by text over every row.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cores/logview/log_view.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "window/logviewer/log_viewer.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 32767;
constexpr std::size_t kChunk = std::size_t{1} << 20;

// The recordings file, written once for every benchmark and removed at the end.
class Recordings {
 public:
  Recordings() {
    std::string pattern = (fs::temp_directory_path() / "kov-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    std::string bytes;
    for (int n = 0; n < kRecords; ++n) {
      char date[24];
      std::snprintf(date, sizeof date, "%02d/%02d/%04d%02d:%02d:%02d", 1 + n * 37 % 28,
                    1 + n * 11 % 12, 2025 + n % 2, n * 7 % 24, n % 60, n * 13 % 60);
      bytes +=
          test::storedRecord("N" + std::string(date) + test::pad("PC-01", 14) +
                             test::pad("Admin", 20) + "Operazione numero " + std::to_string(n));
    }
    const int fd = ::open(file().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
      std::abort();
    ::close(fd);
  }
  ~Recordings() { fs::remove_all(folder_); }
  Recordings(const Recordings&) = delete;
  Recordings& operator=(const Recordings&) = delete;
  std::string file() const { return folder_ + "/OdV"; }

 private:
  std::string folder_;
};

const Recordings& recordings() {
  static const Recordings file;
  return file;
}

void BM_OpenViewer(benchmark::State& state) {
  test::FakePlatform platform;
  for (auto _ : state) {
    LogViewer viewer(platform, recordings().file(), "", nullptr);
    viewer.show();
    QApplication::processEvents();
    if (!platform.messages.empty()) state.SkipWithError("the viewer showed a message");
  }
  state.SetBytesProcessed(state.iterations() * kRecords * 256);
}

void BM_ReadLog(benchmark::State& state) {
  test::FakePlatform platform;
  for (auto _ : state) {
    const std::vector<LogRow> rows = readLog(platform, recordings().file(), "Registro");
    if (rows.size() != kRecords) state.SkipWithError("the log lost records");
  }
  state.SetBytesProcessed(state.iterations() * kRecords * 256);
}

// A text typed in "Cerca" that no entry holds: every column of every row is looked at.
void BM_FilterText(benchmark::State& state) {
  test::FakePlatform platform;
  const std::vector<LogRow> rows = readLog(platform, recordings().file(), "Registro");
  for (auto _ : state) {
    if (!filterLog(rows, {"", "", "zzz", "admin"}).empty()) state.SkipWithError("found");
  }
  state.SetBytesProcessed(state.iterations() * kRecords * 256);
}

void BM_Floor(benchmark::State& state) {
  std::vector<char> buffer(kChunk);
  for (auto _ : state) {
    const int in = ::open(recordings().file().c_str(), O_RDONLY);
    for (off_t at = 0; ::pread(in, buffer.data(), kChunk, at) > 0; at += kChunk) {
    }
    ::close(in);
  }
  state.SetBytesProcessed(state.iterations() * kRecords * 256);
}

BENCHMARK(BM_OpenViewer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadLog)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FilterText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kov
