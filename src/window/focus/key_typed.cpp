#include "window/focus/key_typed.h"

#include <QKeyEvent>
#include <QWidget>

#include "window/platform/qt_text.h"

namespace kov {

KeyTyped::KeyTyped(QWidget* control, std::function<void(std::int16_t&)> typed)
    : QObject(control), typed_(std::move(typed)) {
  control->installEventFilter(this);
}

bool KeyTyped::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  if (key->text().isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
      key->key() == Qt::Key_Delete) {
    return false;
  }
  auto KeyAscii =
      static_cast<std::int16_t>(static_cast<unsigned char>(toCp1252(key->text().left(1)).front()));
  typed_(KeyAscii);
  return KeyAscii == 0;
}

}  // namespace kov
