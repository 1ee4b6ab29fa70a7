// The failures a test plans: the n-th call of a file operation fails with a chosen errno.
// A plan is installed for as long as it lives and puts back the hook it replaced.
#pragma once

#include <array>

#include "runtime/faults.h"

namespace kov::test {

class FaultPlan : public faults::Hook {
 public:
  FaultPlan() : replaced_(faults::install(this)) {}
  ~FaultPlan() override { faults::install(replaced_); }
  FaultPlan(const FaultPlan&) = delete;
  FaultPlan& operator=(const FaultPlan&) = delete;

  // The n-th call of `op` counted from now (1 = the next one) fails with `errnoValue`.
  void failAt(faults::Op op, long nth, int errnoValue) {
    Count& count = counts_[static_cast<int>(op)];
    count.failAt = count.calls + nth;
    count.errnoValue = errnoValue;
  }

  // Calls of `op` since the plan was made.
  long calls(faults::Op op) const { return counts_[static_cast<int>(op)].calls; }

  bool fails(faults::Op op, int& errnoValue) override {
    Count& count = counts_[static_cast<int>(op)];
    if (++count.calls != count.failAt) return false;
    errnoValue = count.errnoValue;
    return true;
  }

 private:
  struct Count {
    long calls = 0;
    long failAt = 0;  // 0: never
    int errnoValue = 0;
  };
  std::array<Count, 6> counts_{};
  faults::Hook* replaced_;
};

}  // namespace kov::test
