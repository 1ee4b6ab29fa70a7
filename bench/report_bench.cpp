// A report over a full recordings file (32,767 entries, 8 MiB) beside its floor: the same
// file read sequentially in the same pieces, and the report and the rewritten records
// written sequentially, each file synced once. The argument is the number of entries of
// the period: all of them, or 10 spread over the file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cores/report/report_engine.h"
#include "support/expected.h"
#include "support/fake_platform.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 32767;
constexpr std::size_t kRecordBytes = 256;
constexpr std::size_t kChunk = std::size_t{1} << 20;

class Folder {
 public:
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "kov-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~Folder() { fs::remove_all(path_); }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Record numbers (from 0) of the entries in the period: `inPeriod` of them, spread evenly.
bool isInPeriod(int record, int inPeriod) {
  const int step = kRecords / inPeriod;
  return record % step == 0 && record / step < inPeriod;
}

std::string recordingsFile(int inPeriod) {
  std::string bytes;
  bytes.reserve(kRecords * kRecordBytes);
  for (int n = 0; n < kRecords; ++n) {
    const std::string date = isInPeriod(n, inPeriod) ? "15/12/2026" : "15/06/2025";
    bytes += test::storedRecord("N" + date + "09:05:03" + test::pad("PC-01", 14) +
                                test::pad("Admin", 20) + "Operazione numero " + std::to_string(n));
  }
  return bytes;
}

// Synced, so that the measured syncs carry only what the measured code wrote.
void writeFile(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
      ::fsync(fd) != 0) {
    std::abort();
  }
  ::close(fd);
}

void BM_Report(benchmark::State& state) {
  const int inPeriod = static_cast<int>(state.range(0));
  const std::string recordings = recordingsFile(inPeriod);
  Folder folder;
  test::FakePlatform platform;
  const ReportRequest request{folder.file("OdV"),
                              folder.file(""),
                              "20261231_0905_Log.txt",
                              "20261201",
                              "20261231",
                              false,
                              "KoV"};
  for (auto _ : state) {
    state.PauseTiming();
    writeFile(folder.file("OdV"), recordings);
    fs::remove(folder.file("20261231_0905_Log.txt"));
    state.ResumeTiming();
    const ReportOutcome outcome = generateReport(platform, request);
    if (outcome.copied != inPeriod || !platform.messages.empty()) {
      state.SkipWithError("the report did not copy every entry of the period");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kRecords * kRecordBytes);
}

// The same file read in the same pieces; the report's bytes and the rewritten records'
// bytes written where they go; one sync per written file, and one of the folder that gets
// the new report.
void BM_Floor(benchmark::State& state) {
  const int inPeriod = static_cast<int>(state.range(0));
  const std::string recordings = recordingsFile(inPeriod);
  Folder folder;
  std::vector<char> buffer(kChunk);
  int copies = 0;
  for (int n = 0; n < kRecords; ++n) copies += isInPeriod(n, inPeriod) ? 1 : 0;
  const std::string report((copies + 1) * kRecordBytes, 'r');
  const std::string rewritten(kRecords * kRecordBytes, 's');
  for (auto _ : state) {
    state.PauseTiming();
    writeFile(folder.file("OdV"), recordings);
    fs::remove(folder.file("report"));
    state.ResumeTiming();
    const int in = ::open(folder.file("OdV").c_str(), O_RDWR);
    for (off_t at = 0; ::pread(in, buffer.data(), kChunk, at) > 0; at += kChunk) {
    }
    const int out = ::open(folder.file("report").c_str(), O_WRONLY | O_CREAT, 0666);
    for (std::size_t at = 0; at < report.size(); at += kChunk) {
      benchmark::DoNotOptimize(::pwrite(
          out, report.data() + at, std::min(kChunk, report.size() - at), static_cast<off_t>(at)));
    }
    ::fsync(out);
    ::close(out);
    const int dir = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY);  // a new file's entry
    ::fsync(dir);
    ::close(dir);
    // Runs of consecutive records of the period, one write each.
    for (int n = 0; n < kRecords;) {
      int end = n;
      while (end < kRecords && isInPeriod(end, inPeriod)) ++end;
      if (end > n) {
        benchmark::DoNotOptimize(::pwrite(in, rewritten.data(), (end - n) * kRecordBytes,
                                          static_cast<off_t>(n * kRecordBytes)));
      }
      n = end + 1;
    }
    ::fsync(in);
    ::close(in);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kRecords * kRecordBytes);
}

BENCHMARK(BM_Report)->Arg(kRecords)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Floor)->Arg(kRecords)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kov

BENCHMARK_MAIN();
