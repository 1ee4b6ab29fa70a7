#include "faults.h"

#include <array>

namespace kov::faults {
namespace {

struct Plan {
  long calls = 0;
  long failAt = 0;  // 0: never
  int errnoValue = 0;
};

std::array<Plan, kOpCount> plans;  // tests run on one thread

Plan& planOf(Op op) {
  return plans[static_cast<int>(op)];
}

}  // namespace

void failAt(Op op, long nth, int errnoValue) {
  Plan& plan = planOf(op);
  plan.failAt = plan.calls + nth;
  plan.errnoValue = errnoValue;
}

void reset() {
  plans = {};
}

long calls(Op op) {
  return planOf(op).calls;
}

bool hit(Op op, int& errnoValue) {
  Plan& plan = planOf(op);
  if (++plan.calls != plan.failAt) return false;
  errnoValue = plan.errnoValue;
  return true;
}

}  // namespace kov::faults
