// The background colours of the fields: yellow with the focus, white when editable, the
// system's button face when not.
#pragma once

class QWidget;

namespace kov {

enum class Colour { Yellow, White, ButtonFace };

void setBackground(QWidget* control, Colour colour);

}  // namespace kov
