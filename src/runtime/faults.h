// A seam for tests: a hook that can make a file operation fail as the operating system would,
// so every error path can be walked without a broken disk. The program installs none.
#pragma once

namespace kov::faults {

enum class Op { Open, Read, Write, Sync, Delete, Attributes };

// Asked before each file operation.
class Hook {
 public:
  virtual ~Hook() = default;
  // True, with the errno to report, when this call of `op` must fail.
  virtual bool fails(Op op, int& errnoValue) = 0;
};

// Installs `hook` (nullptr: none) and returns the one it replaces.
Hook* install(Hook* hook);

// Whether the installed hook makes this call of `op` fail.
bool hit(Op op, int& errnoValue);

}  // namespace kov::faults
