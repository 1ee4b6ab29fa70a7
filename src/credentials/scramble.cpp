#include "scramble.h"

#include "shell/kov_par.h"

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
  output.reserve(input.size());
  for (const char c : input) {
    const int code = static_cast<unsigned char>(c) + shift;
    if (code < 0 || code > 255) {
      output.clear();
      showTrappedError(platform, "Cripta_Decripta", errorOf(err::kInvalidArgument));
      return;
    }
    output += static_cast<char>(code);
  }
}

}  // namespace kov
