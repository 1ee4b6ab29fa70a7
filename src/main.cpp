#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "shell/kov.h"
#include "shell/qt_platform.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KoV"));

  // The toolkit's own texts (message box buttons, the text boxes' menu) in Italian: from the
  // system's Qt translations, or from the copy shipped beside the program.
  QTranslator qtItalian;
  if (qtItalian.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      qtItalian.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QApplication::applicationDirPath() + QStringLiteral("/translations"))) {
    QApplication::installTranslator(&qtItalian);
  }

  kov::QtPlatform platform;
  kov::Kov_Par par;
  kov::KOV window(par, platform);
  if (!window.Form_Load()) return 0;
  window.show();
  return QApplication::exec();
}
