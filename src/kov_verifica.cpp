// kov-verifica: checks a workstation's recordings file and reports against the archive of
// the copies its program sent to the system log. It reads and never writes.
#include <cstdio>
#include <string>
#include <vector>

#include "cores/archive/texts.h"
#include "cores/archive/verifier.h"

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fprintf(stderr, "%s\n", std::string(kov::archive_text::kUsage).c_str());
    return 2;
  }
  kov::Verification verification{argv[1], argv[2], std::vector<std::string>(argv + 3, argv + argc)};
  const kov::VerifyResult result = kov::verify(verification);
  if (!result.badInput.empty()) {
    std::fprintf(stderr, "%s\n", result.badInput.c_str());
    return 2;
  }
  for (const std::string& line : result.findings) std::printf("%s\n", line.c_str());
  for (const std::string& line : kov::summaryOf(result.counts)) std::printf("%s\n", line.c_str());
  return result.counts.allConfirmed() ? 0 : 1;
}
