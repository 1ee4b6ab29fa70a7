// Failure injection for tests: makes the n-th call of a file operation fail as the
// operating system would, so every error path can be walked without a broken disk.
#pragma once

namespace kov::faults {

enum class Op { Open, Read, Write, Sync, Delete, Attributes };
inline constexpr int kOpCount = 6;

// The n-th call of `op` counted from now (1 = the next one) fails with `errnoValue`.
void failAt(Op op, long nth, int errnoValue);
// Forgets every planned failure and restarts the counters.
void reset();
// Calls of `op` since the last reset.
long calls(Op op);

// Counts a call of `op`; true (and the errno to report) when it must fail.
bool hit(Op op, int& errnoValue);

}  // namespace kov::faults
