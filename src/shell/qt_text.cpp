#include "qt_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kov {

QString fromCp1252(std::string_view text) {
  QStringDecoder decode("windows-1252");
  return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string toCp1252(const QString& text) {
  QStringEncoder encode("windows-1252", QStringConverter::Flag::ConvertInvalidToNull);
  const QByteArray bytes = encode(text);
  std::string result(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  for (char& c : result) {
    if (c == '\0') c = '?';
  }
  return result;
}

bool isStorable(const QString& text) {
  QStringEncoder encode("windows-1252");
  const QByteArray bytes = encode(text);
  if (encode.hasError() || bytes.size() != text.size()) return false;
  for (const char c : bytes) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || code >= 254) return false;
  }
  return true;
}

}  // namespace kov
