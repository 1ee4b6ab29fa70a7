#include "window/platform/carried_fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace kov {
namespace {

const QString kFamily = QStringLiteral("DejaVu Sans");

}  // namespace

QString carriedFontFile(bool bold) {
  return bold ? QStringLiteral(":/fonts/DejaVuSans-Bold.ttf")
              : QStringLiteral(":/fonts/DejaVuSans.ttf");
}

void useCarriedFonts() {
  QFontDatabase::addApplicationFont(carriedFontFile(false));
  QFontDatabase::addApplicationFont(carriedFontFile(true));
  QFont font = QApplication::font();
  font.setFamilies({kFamily});
  QApplication::setFont(font);
}

QFont carriedFont(qreal points, bool bold) {
  QFont font(kFamily);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace kov
