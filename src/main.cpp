#include <QApplication>
#include <QDir>
#include <QIcon>

#include "window/kov.h"
#include "window/qt_platform.h"
#include "window/translations.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KoV"));
  QIcon icon;
  const QDir icons(QStringLiteral(":/icons"));
  for (const QString& file : icons.entryList()) icon.addFile(icons.filePath(file));
  QApplication::setWindowIcon(icon);
  kov::installItalianTranslations(app);

  kov::QtPlatform platform;
  kov::Kov_Par par;
  kov::KOV window(par, platform);
  if (!window.Form_Load()) return 0;
  window.show();
  return QApplication::exec();
}
