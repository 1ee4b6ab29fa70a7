// The workstation parameters on the main window: loading them at start-up and the focus
// behaviour of the text-box array Opz_KOV.
#include <QCheckBox>
#include <QLineEdit>

#include "cores/config/credential_files.h"
#include "runtime/text.h"
#include "window/main/kov.h"
#include "window/platform/qt_text.h"
#include "window/widgets/colours.h"
#include "window/widgets/storable_validator.h"

namespace kov {

CredentialsRead KOV::Leggi_Parametri_KOV() {
  WorkstationParameters parameters;
  CredentialsRead read = readCredentialFiles(platform_, par_, parameters);
  setTextOf(Opz_KOV[1], parameters.name);
  setTextOf(Opz_KOV[2], parameters.reportName);
  setTextOf(Opz_KOV[3], parameters.reportPath);
  Acc_Ris->setChecked(parameters.restricted);
  storedParameters_ = parameters;
  return read;
}

void KOV::Opz_KOV_GotFocus(std::int16_t Index) {
  QLineEdit* box = Opz_KOV[static_cast<std::size_t>(Index)];
  // The proposal stands for typing: it takes no more than the box takes.
  if (Index == 1 && box->text().isEmpty()) {
    putText(box, fromCp1252(Leggi_Nome_Computer(platform_)).left(inputLimit(box)));
  }
  if (Index == 0 && commentGivenBack_) {
    box->setCursorPosition(static_cast<int>(box->text().size()));
  } else {
    box->setSelection(0, static_cast<int>(box->text().size()));
  }
  commentGivenBack_ = false;
  setBackground(box, Colour::Yellow);
}

void KOV::Opz_KOV_LostFocus(std::int16_t Index) {
  QLineEdit* box = Opz_KOV[static_cast<std::size_t>(Index)];
  setTextOf(box, trimSpaces(textOf(box)));
  setBackground(box, Colour::White);
}

}  // namespace kov
