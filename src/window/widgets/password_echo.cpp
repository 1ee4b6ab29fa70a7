#include "window/widgets/password_echo.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace kov {
namespace {

// The desktop's style in everything but the password character.
class StarStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '*';
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

}  // namespace

void showAsStars(QLineEdit* box) {
  // A widget does not own its style: the box does, so the style goes with it.
  auto* style = new StarStyle;
  style->setParent(box);
  box->setStyle(style);
  box->setEchoMode(QLineEdit::Password);
}

}  // namespace kov
