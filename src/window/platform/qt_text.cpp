#include "window/platform/qt_text.h"

#include <algorithm>

#ifdef _WIN32
#include "runtime/cp1252.h"
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace kov {
namespace {

// Windows-1252 bytes, and whether every character had its code. Qt for Windows is built
// without ICU, which holds Qt's Windows-1252 converter: there the system's own code page does
// the work.
std::string encode(const QString& text, bool& whole) {
#ifdef _WIN32
  return cp1252FromWide(text.toStdWString(), whole);
#else
  QStringEncoder encoder("windows-1252", QStringConverter::Flag::ConvertInvalidToNull);
  const QByteArray bytes = encoder(text);
  whole = !encoder.hasError();
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
#endif
}

}  // namespace

QString fromCp1252(std::string_view text) {
#ifdef _WIN32
  return QString::fromStdWString(wideFromCp1252(text));
#else
  QStringDecoder decode("windows-1252");
  return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
#endif
}

std::string toCp1252(const QString& text) {
  bool whole = true;
  std::string result = encode(text, whole);
  std::replace(result.begin(), result.end(), '\0', '?');
  return result;
}

bool isStorable(const QString& text) {
  if (std::any_of(text.begin(), text.end(),
                  [](QChar c) { return c.category() == QChar::Other_Control; })) {
    return false;
  }
  bool whole = true;
  const std::string bytes = encode(text, whole);
  return whole && std::ssize(bytes) == text.size() &&
         std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 254; });
}

QString reasonOf(const Error& error) {
  return QString::number(error.number) + QLatin1Char('-') + fromCp1252(error.description);
}

}  // namespace kov
