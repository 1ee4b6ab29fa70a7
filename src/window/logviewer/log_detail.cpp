#include "window/logviewer/log_detail.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>

#include "window/logviewer/log_model.h"
#include "window/logviewer/log_viewer_texts.h"
#include "window/platform/qt_text.h"
#include "window/widgets/controls.h"

namespace kov {

LogDetail::LogDetail(QWidget* parent) : QGroupBox(log_viewer_text::kDetail, parent) {
  setObjectName(QStringLiteral("Dettaglio"));
  auto* grid = new QGridLayout(this);
  // Two rows of short fields, then the description across the whole width.
  constexpr LogColumn kPlaces[2][3] = {{LogColumn::Record, LogColumn::Date, LogColumn::Workstation},
                                       {LogColumn::Reported, LogColumn::Time, LogColumn::Account}};
  for (int line = 0; line < 2; ++line) {
    for (int place = 0; place < 3; ++place) {
      const auto column = static_cast<std::size_t>(kPlaces[line][place]);
      QLabel*& value = values_.at(column);
      value = named(new QLabel, QStringLiteral("Dettaglio_%1").arg(column));
      value->setTextFormat(Qt::PlainText);
      value->setTextInteractionFlags(Qt::TextSelectableByMouse);
      grid->addWidget(new QLabel(log_viewer_text::kColumns.at(column) + QLatin1Char(':')), line,
                      place * 2);
      grid->addWidget(value, line, place * 2 + 1);
      grid->setColumnStretch(place * 2 + 1, 1);
    }
  }
  const auto at = static_cast<int>(LogColumn::Description);
  description_ = named(new QPlainTextEdit, QStringLiteral("Dettaglio_%1").arg(at));
  description_->setReadOnly(true);
  description_->setTabChangesFocus(true);
  description_->setFixedHeight(fontMetrics().lineSpacing() * 3 + 12);
  grid->addWidget(
      label(QStringLiteral("LbDescrizione"), log_viewer_text::kDescription, description_), 2, 0,
      Qt::AlignTop);
  grid->addWidget(description_, 2, 1, 1, 5);
}

void LogDetail::show(const LogRow* row) {
  for (int c = 0; c < kLogColumns; ++c) {
    const QString text =
        row == nullptr ? QString() : fromCp1252(logField(row->record, row->entry, LogColumn(c)));
    if (values_.at(static_cast<std::size_t>(c)) != nullptr) {
      values_.at(static_cast<std::size_t>(c))->setText(text);
    } else {
      description_->setPlainText(text);
    }
  }
}

}  // namespace kov
