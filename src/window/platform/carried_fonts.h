// The fonts the program carries inside it: DejaVu Sans and DejaVu Sans Bold, from Debian's
// fonts-dejavu-core, free to embed. The window and the report's PDF then look the same on
// every machine, whatever fonts its desktop has installed, and under wine, which has none of
// Windows' fonts.
#pragma once

#include <QFont>

namespace kov {

// Registers the carried fonts and makes the regular one the application's font, at the size
// the desktop asks for.
void useCarriedFonts();

// The carried family at `points`, for drawing that must not depend on the desktop.
QFont carriedFont(qreal points, bool bold = false);

// The resource that holds the carried regular or bold font file.
QString carriedFontFile(bool bold);

}  // namespace kov
