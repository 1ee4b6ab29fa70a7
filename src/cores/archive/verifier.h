// The check of a workstation's log against the archive of its copies: which entries the
// copies confirm, which were altered, deleted or added without a copy, which copies are
// missing from the archive and which the program never sent. It only reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kov {

struct Verification {
  std::string programFolder;              // holds the recordings file and the chain's state
  std::string reportFolder;               // holds the report files
  std::vector<std::string> archiveFiles;  // JSON lines, one copy each
};

struct VerifyCounts {
  std::int64_t confirmed = 0;
  std::int64_t removedWithReport = 0;
  std::int64_t altered = 0;
  std::int64_t deleted = 0;
  std::int64_t withoutCopy = 0;
  std::int64_t missingCopies = 0;
  std::int64_t foreignCopies = 0;
  std::int64_t restarts = 0;

  bool allConfirmed() const {
    return altered == 0 && deleted == 0 && withoutCopy == 0 && missingCopies == 0 &&
           foreignCopies == 0 && restarts == 0;
  }
};

struct VerifyResult {
  std::string badInput;               // why the input could not be read; nothing else is set
  std::vector<std::string> findings;  // one line each, in UTF-8
  VerifyCounts counts;
};

VerifyResult verify(const Verification& verification);

// The summary lines, in UTF-8.
std::vector<std::string> summaryOf(const VerifyCounts& counts);

}  // namespace kov
