#include "faults.h"

namespace kov::faults {
namespace {

Hook* installed = nullptr;

}  // namespace

Hook* install(Hook* hook) {
  Hook* const replaced = installed;
  installed = hook;
  return replaced;
}

bool hit(Op op, int& errnoValue) {
  return installed != nullptr && installed->fails(op, errnoValue);
}

}  // namespace kov::faults
