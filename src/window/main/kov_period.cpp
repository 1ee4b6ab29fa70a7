// The report period on the main window: the date boxes Dt(1) and Dt(2) and the period
// keys they set.
#include <QLineEdit>

#include "cores/report/period.h"
#include "cores/report/texts.h"
#include "window/main/kov.h"
#include "window/platform/qt_text.h"
#include "window/widgets/colours.h"
#include "window/widgets/refusal.h"

namespace kov {

std::string KOV::dateText(std::int16_t Index) const {
  // text() drops the blanks of the mask; the box's text is all ten characters.
  return toCp1252(Dt[static_cast<std::size_t>(Index)]->displayText());
}

void KOV::Dt_GotFocus(std::int16_t Index) {
  QLineEdit* box = Dt[static_cast<std::size_t>(Index)];
  setBackground(box, Colour::Yellow);
  box->setSelection(0, static_cast<int>(box->displayText().size()));
}

void KOV::Dt_KeyPress(std::int16_t Index, std::int16_t& KeyAscii) {
  QLineEdit* box = Dt[static_cast<std::size_t>(Index)];
  std::string today;
  Filtra_Tasto_Data(platform_, KeyAscii, today);
  if (!today.empty()) setTextOf(box, today);
  if (KeyAscii == 0) showRefusal(box, Refusal::NotDateKey);
}

void KOV::Dt_LostFocus(std::int16_t Index) {
  QLineEdit* box = Dt[static_cast<std::size_t>(Index)];
  setBackground(box, Colour::White);
  if (const auto date = dayFirstDate(dateText(Index))) setTextOf(box, *date);
  if (Index != 2 || dateText(1) == report_text::kEmptyDate ||
      dateText(2) == report_text::kEmptyDate) {
    return;
  }
  Data_Inizio = RovesciaData(dateText(1));
  Data_Fine = RovesciaData(dateText(2));
  if (Data_Fine < Data_Inizio) {
    platform_.beep();
    showInformation(platform_, report_text::kPeriodOrder, toCp1252(windowTitle()));
    Dt[1]->setFocus();
  }
}

void KOV::fillPeriod(const DayPeriod& period) {
  // Both texts first, then the focus through Dt(2) back to Dt(1): the leave procedures run
  // as after typing, Dt(2)'s setting the period keys, and none sees half a period.
  setTextOf(Dt[1], period.from);
  setTextOf(Dt[2], period.to);
  Dt[2]->setFocus();
  Dt[1]->setFocus();
}

}  // namespace kov
