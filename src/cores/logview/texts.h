// The texts of the log viewer that its core makes, in Windows-1252.
#pragma once

#include <string_view>

namespace kov::logview_text {

// Shown for a record that does not read as an entry, in place of its description.
inline constexpr std::string_view kDamaged = "danneggiata";
// The name under which the viewer's trapped errors are shown.
inline constexpr std::string_view kProcedure = "Visualizza_Registro";

}  // namespace kov::logview_text
