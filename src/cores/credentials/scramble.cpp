#include "scramble.h"

#include <algorithm>

#include "cores/shared/kov_par.h"

namespace kov {

void Cripta_Decripta(Platform& platform, std::string_view mode, std::string_view input,
                     std::string& output) {
  output.clear();
  int shift = 0;
  if (mode == "C") {
    shift = 2;
  } else if (mode == "D") {
    shift = -2;
  } else {
    return;
  }
  // The lowest and highest codes first, then the shift: both loops run without a branch
  // per character.
  unsigned char lowest = 255;
  unsigned char highest = 0;
  for (const char c : input) {
    lowest = std::min(lowest, static_cast<unsigned char>(c));
    highest = std::max(highest, static_cast<unsigned char>(c));
  }
  if (lowest + shift < 0 || highest + shift > 255) {
    showTrappedError(platform, "Cripta_Decripta", errorOf(err::kInvalidArgument));
    return;
  }
  output.resize(input.size());
  std::transform(input.begin(), input.end(), output.begin(), [shift](char c) {
    return static_cast<char>(static_cast<unsigned char>(c) + shift);
  });
}

}  // namespace kov
