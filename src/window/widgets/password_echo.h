// Password boxes show every character as "*", whatever the desktop's style would show.
#pragma once

class QLineEdit;

namespace kov {

void showAsStars(QLineEdit* box);

}  // namespace kov
