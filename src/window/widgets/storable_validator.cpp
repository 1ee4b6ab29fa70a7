#include "window/widgets/storable_validator.h"

#include <QLineEdit>

#include "window/platform/qt_text.h"
#include "window/widgets/refusal.h"

namespace kov {

StorableValidator::StorableValidator(QLineEdit* box, int limit, Platform& platform)
    : QValidator(box), box_(box), limit_(limit), platform_(platform) {
  connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

QValidator::State StorableValidator::validate(QString& input, int& /*pos*/) const {
  // Qt also validates the standing text, on Enter and on leaving the box: only a change is
  // judged.
  if (putting_ || input == before_) return Acceptable;
  const bool tooLong = input.size() > limit_ && input.size() > before_.size();
  if (!tooLong && isStorable(input)) return Acceptable;
  platform_.beep();
  showRefusal(box_, tooLong ? Refusal::TooLong : Refusal::NotStorable, limit_);
  return Invalid;
}

void StorableValidator::put(const QString& text) {
  putting_ = true;
  box_->setText(text);
  putting_ = false;
}

void makeStorable(QLineEdit* box, int limit, Platform& platform) {
  box->setValidator(new StorableValidator(box, limit, platform));
}

int inputLimit(const QLineEdit* box) {
  return box->findChild<StorableValidator*>(QString(), Qt::FindDirectChildrenOnly)->limit();
}

void putText(QLineEdit* box, const QString& text) {
  if (auto* validator = box->findChild<StorableValidator*>(QString(), Qt::FindDirectChildrenOnly)) {
    validator->put(text);
  } else {
    box->setText(text);
  }
}

}  // namespace kov
