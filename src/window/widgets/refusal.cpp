#include "window/widgets/refusal.h"

#include <QToolTip>
#include <QWidget>

namespace kov {

void showRefusal(QWidget* box, Refusal refusal, int limit) {
  QString text;
  switch (refusal) {
    case Refusal::NotStorable:
      text = QString::fromUtf8(
          "Carattere non ammesso: non può essere registrato. Il testo non è stato modificato.");
      break;
    case Refusal::TooLong:
      text = QString::fromUtf8(
                 "Testo troppo lungo: il campo accetta al massimo %1 caratteri. Il testo non è "
                 "stato modificato.")
                 .arg(limit);
      break;
    case Refusal::NotDateKey:
      text = QString::fromUtf8(
          "Nella data sono ammesse solo le cifre e la barra /; d o D inserisce la data di oggi.");
      break;
  }
  QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), text, box);
}

}  // namespace kov
