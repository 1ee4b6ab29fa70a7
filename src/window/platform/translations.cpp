#include "window/platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kov {

bool installItalianTranslations(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  const QLocale italian(QLocale::Italian, QLocale::Italy);
  for (const QString& folder :
       {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
    if (translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
      return QCoreApplication::installTranslator(translator);
    }
  }
  delete translator;
  return false;
}

}  // namespace kov
