// The PDF of a report of 32,767 entries beside the report itself, in the same run: the report
// run over a full recordings file (every entry in the period), then the PDF made from the
// report file it wrote. The argument is the length of the descriptions: 0 for short ones
// ("Operazione numero n"), or that many characters of words, which wrap in their column.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "cores/report/report_engine.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"
#include "window/pdf/report_pdf.h"

namespace kov {
namespace {

constexpr int kRecords = 32767;
const std::string kReport = "20261231_0905_Log.txt";

std::string description(int n, std::size_t length) {
  std::string text = "Operazione numero " + std::to_string(n);
  while (length > 0 && text.size() < length) text += " sostituito il disco del server di posta";
  return length > 0 ? text.substr(0, length) : text;
}

// A program folder holding a full recordings file and, once the first report has run, the
// report of all of it.
struct Office {
  test::TempFolder folder;
  std::string recordings;
  test::FakePlatform platform;
  ReportRequest request;

  explicit Office(std::size_t length)
      : request{folder.file("OdV"),
                folder.path() + "/",
                kReport,
                "20261201",
                "20261231",
                false,
                "KoV"} {
    for (int n = 0; n < kRecords; ++n) {
      recordings += test::storedRecord("N15/12/202609:05:03" + test::pad("PC-01", 14) +
                                       test::pad("Admin", 20) + description(n, length));
    }
  }
  // A full recordings file and no report: what a report run starts from.
  void prepare() const {
    folder.write("OdV", recordings);
    std::filesystem::remove(folder.file(kReport));
  }
  bool report() {
    return generateReport(platform, request).copied == kRecords && platform.messages.empty();
  }
};

void BM_Report(benchmark::State& state) {
  Office office(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    office.prepare();
    state.ResumeTiming();
    if (!office.report()) state.SkipWithError("the report did not copy every entry");
  }
}

void BM_ReportPdf(benchmark::State& state) {
  Office office(static_cast<std::size_t>(state.range(0)));
  office.prepare();
  if (!office.report()) state.SkipWithError("the report did not copy every entry");
  const std::string report = office.folder.file(kReport), pdf = report + ".pdf";
  const ReportTitle title{QString::fromStdString(report),
                          "PC-01",
                          "01/12/2026",
                          "31/12/2026",
                          "31/12/2026",
                          "09:05:03",
                          "Titolare",
                          kRecords};
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(pdf);
    state.ResumeTiming();
    if (!writeReportPdf(report, pdf, title).isEmpty()) state.SkipWithError("no PDF");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(pdf));
}

BENCHMARK(BM_Report)->Arg(0)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReportPdf)->Arg(0)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kov
