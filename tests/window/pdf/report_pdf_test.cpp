// The report's PDF beside what the report runs read in it (tests/window/main): its line limit.
#include <gtest/gtest.h>

#include <cerrno>

#include "support/fault_plan.h"
#include "support/temp_folder.h"
#include "window/pdf/report_pdf.h"

namespace kov {
namespace {

using namespace test;

// A report of more lines than a PDF is made for gets none; one at the limit is read for its
// PDF, whose read fails here so as not to lay out 32,768 lines.
TEST(ReportPdf, IsMadeForReportsUpToItsLineLimit) {
  TempFolder folder;
  for (const std::size_t lines : {32768U, 32769U}) {
    folder.write("report", std::string(lines * 256, ' '));
    FaultPlan plan;
    plan.failAt(faults::Op::Read, 1, EIO);
    EXPECT_EQ(writeReportPdf(folder.file("report"), folder.file("report.pdf"), {}),
              lines == 32768 ? "57-Errore di I/O della periferica"
                             : "il report ha 32769 righe, il PDF ne contiene al massimo 32768");
  }
}

}  // namespace
}  // namespace kov
