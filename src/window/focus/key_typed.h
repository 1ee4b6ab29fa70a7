// Gives a control the classic "key typed" event: the handler gets the Windows-1252 code of
// each character typed (a character Windows-1252 cannot hold arrives as "?") and discards
// the key by setting the code to 0. Keys that type no character (arrows, function keys)
// and the keys that never were typed keys (Tab, Backtab, Delete) pass untouched.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

class QWidget;

namespace kov {

class KeyTyped : public QObject {
  Q_OBJECT
 public:
  KeyTyped(QWidget* control, std::function<void(std::int16_t& KeyAscii)> typed);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(std::int16_t&)> typed_;
};

}  // namespace kov
