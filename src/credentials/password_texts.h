// The texts of the password dialog and of the main window's password button, as the
// users know them.
#pragma once

#include <string_view>

#include "shell/runtime/cp1252.h"

namespace kov::texts {

// The password dialog: its caption, which its messages carry as their title.
inline constexpr std::string_view kPwKovTitle = "Inserimento Password";
inline constexpr std::string_view kNewPasswordMissing = "Occorre indicare la Password scelta";
inline constexpr std::string_view kCheckPasswordMissing =
    "Occorre impostare la Password di controllo";
inline constexpr std::string_view kPasswordsDiffer =
    "Le due PassWord non sono uguali. Impostarle di nuovo";

// Both the dialog and the first set-up.
inline constexpr std::string_view kSpaceInPassword =
    "All'interno della PassWord non è ammesso il carattere <spazio>"_cp;
inline constexpr std::string_view kPasswordTooShort =
    "La PassWord deve essere di almeno 8 caratteri";

}  // namespace kov::texts
