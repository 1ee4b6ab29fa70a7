#include "scramble.h"

#include <algorithm>

#include "cores/shared/kov_par.h"

namespace kov {
namespace {

// The lowest and highest codes first, then the shift: both loops run without a branch per
// character. False, and the output empty, when a code would leave 0..255.
bool shift(int by, std::string_view input, std::string& output) {
  output.clear();
  unsigned char lowest = 255;
  unsigned char highest = 0;
  for (const char c : input) {
    lowest = std::min(lowest, static_cast<unsigned char>(c));
    highest = std::max(highest, static_cast<unsigned char>(c));
  }
  if (lowest + by < 0 || highest + by > 255) return false;
  output.resize(input.size());
  std::transform(input.begin(), input.end(), output.begin(),
                 [by](char c) { return static_cast<char>(static_cast<unsigned char>(c) + by); });
  return true;
}

}  // namespace

void Cripta_Decripta(Platform& platform, std::string_view mode, std::string_view input,
                     std::string& output) {
  output.clear();
  int by = 0;
  if (mode == "C") {
    by = 2;
  } else if (mode == "D") {
    by = -2;
  } else {
    return;
  }
  if (!shift(by, input, output)) {
    showTrappedError(platform, "Cripta_Decripta", errorOf(err::kInvalidArgument));
  }
}

bool unscramble(std::string_view input, std::string& output) {
  return shift(-2, input, output);
}

}  // namespace kov
