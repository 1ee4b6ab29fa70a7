// The toolkit's own texts (message box buttons, the text boxes' context menu) in Italian.
#pragma once

class QCoreApplication;

namespace kov {

// Loads Qt's Italian translations from the copy beside the program (a portable folder) or
// from the system's Qt translations; false when neither is there.
bool installItalianTranslations(QCoreApplication& application);

}  // namespace kov
