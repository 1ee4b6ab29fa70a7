#include "window/platform/qt_text.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace kov {

QString fromCp1252(std::string_view text) {
  QStringDecoder decode("windows-1252");
  return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string toCp1252(const QString& text) {
  QStringEncoder encode("windows-1252", QStringConverter::Flag::ConvertInvalidToNull);
  const QByteArray bytes = encode(text);
  std::string result(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  std::replace(result.begin(), result.end(), '\0', '?');
  return result;
}

bool isStorable(const QString& text) {
  if (std::any_of(text.begin(), text.end(),
                  [](QChar c) { return c.category() == QChar::Other_Control; })) {
    return false;
  }
  QStringEncoder encode("windows-1252");
  const QByteArray bytes = encode(text);
  return !encode.hasError() && bytes.size() == text.size() &&
         std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 254; });
}

QString reasonOf(const Error& error) {
  return QString::number(error.number) + QLatin1Char('-') + fromCp1252(error.description);
}

}  // namespace kov
