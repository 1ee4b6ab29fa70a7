#include <QApplication>
#include <QDir>
#include <QIcon>

#include "window/main/kov.h"
#include "window/platform/carried_fonts.h"
#include "window/platform/qt_platform.h"
#include "window/platform/translations.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KoV"));
  // A report folder given as a relative path lies in the program folder, beside the data,
  // whatever folder a shortcut or a command line starts the program from.
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  QIcon icon;
  const QDir icons(QStringLiteral(":/icons"));
  for (const QString& file : icons.entryList()) icon.addFile(icons.filePath(file));
  QApplication::setWindowIcon(icon);
  kov::installItalianTranslations(app);
  kov::useCarriedFonts();

  kov::QtPlatform platform;
  kov::Kov_Par par;
  kov::KOV window(par, platform);
  if (!window.Form_Load()) return 0;
  window.show();
  const int status = QApplication::exec();
  return window.setUpDone() ? kov::kSetUpDoneStatus : status;
}
