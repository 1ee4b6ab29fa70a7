#include "window/platform/carried_fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace kov {
namespace {

const QString kFamily = QStringLiteral("DejaVu Sans");

}  // namespace

void useCarriedFonts() {
  QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans.ttf"));
  QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"));
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
