// Why a box did not take what was typed or pasted, said in a tool tip at the box: the beep
// alone does not tell which rule refused it. One place for both windows.
#pragma once

class QWidget;

namespace kov {

enum class Refusal {
  NotStorable,  // a character the program cannot store
  TooLong,      // more than the box takes
  NotDateKey,   // a key a date box does not take
};

// `limit` is the number of characters the box takes (TooLong only).
void showRefusal(QWidget* box, Refusal refusal, int limit = 0);

}  // namespace kov
