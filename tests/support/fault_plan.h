// The failures a test plans: the n-th call of a file operation fails with a chosen errno.
// Installed as the runtime's fault hook by reset() and failAt().
#pragma once

#include <array>

#include "runtime/faults.h"

namespace kov::faults {

inline constexpr int kOpCount = 6;

struct Plan {
  long calls = 0;
  long failAt = 0;  // 0: never
  int errnoValue = 0;
};

inline std::array<Plan, kOpCount>& plans() {
  static std::array<Plan, kOpCount> table;  // tests run on one thread
  return table;
}

inline bool planned(Op op, int& errnoValue) {
  Plan& plan = plans()[static_cast<int>(op)];
  if (++plan.calls != plan.failAt) return false;
  errnoValue = plan.errnoValue;
  return true;
}

// Forgets every planned failure and restarts the counters.
inline void reset() {
  plans() = {};
  install(planned);
}

// The n-th call of `op` counted from now (1 = the next one) fails with `errnoValue`.
inline void failAt(Op op, long nth, int errnoValue) {
  install(planned);
  Plan& plan = plans()[static_cast<int>(op)];
  plan.failAt = plan.calls + nth;
  plan.errnoValue = errnoValue;
}

// Calls of `op` since the last reset.
inline long calls(Op op) {
  return plans()[static_cast<int>(op)].calls;
}

}  // namespace kov::faults
