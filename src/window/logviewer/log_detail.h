// Every field of the selected entry, the description whole and wrapped.
#pragma once

#include <QGroupBox>
#include <array>

#include "cores/logview/log_fields.h"

class QLabel;
class QPlainTextEdit;

namespace kov {

struct LogRow;

class LogDetail : public QGroupBox {
 public:
  explicit LogDetail(QWidget* parent = nullptr);

  void show(const LogRow* row);  // nullptr: no row selected
  QPlainTextEdit* description() const { return description_; }

 private:
  std::array<QLabel*, kLogColumns> values_{};  // by LogColumn; none for the description
  QPlainTextEdit* description_ = nullptr;
};

}  // namespace kov
