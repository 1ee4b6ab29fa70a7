// The character shift that every stored text goes through.
#pragma once

#include <string>
#include <string_view>

#include "cores/shared/platform.h"

namespace kov {

// Mode "C" raises every character's code by 2, mode "D" lowers it by 2; any other mode
// (letter case counts) leaves the output empty. A code that would leave 0..255 stops the
// shift: the error is shown and the output is empty.
void Cripta_Decripta(Platform& platform, std::string_view mode, std::string_view input,
                     std::string& output);

// Mode "D" without its error box, for readers that show an unreadable text in their own way:
// false, and the output empty, when a code below 2 stops the shift.
bool unscramble(std::string_view input, std::string& output);

}  // namespace kov
