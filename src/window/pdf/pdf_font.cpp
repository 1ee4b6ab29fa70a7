#include "window/pdf/pdf_font.h"

#include <QFile>
#include <QRawFont>
#include <QtEndian>
#include <bit>
#include <vector>

#include "window/platform/carried_fonts.h"
#include "window/platform/qt_text.h"

namespace kov {
namespace {

// Big-endian numbers of the font file; 0 past its end.
quint32 u32(const QByteArray& data, qsizetype at) {
  if (at < 0 || at + 4 > data.size()) return 0;
  return qFromBigEndian<quint32>(data.constData() + at);
}
quint16 u16(const QByteArray& data, qsizetype at) {
  if (at < 0 || at + 2 > data.size()) return 0;
  return qFromBigEndian<quint16>(data.constData() + at);
}
void put32(QByteArray& data, quint32 value) {
  const quint32 big = qToBigEndian(value);
  data.append(reinterpret_cast<const char*>(&big), 4);
}
void put16(QByteArray& data, quint16 value) {
  const quint16 big = qToBigEndian(value);
  data.append(reinterpret_cast<const char*>(&big), 2);
}

// A table of the font file by its tag; empty when the file has none.
QByteArray tableOf(const QByteArray& font, const char* tag) {
  for (quint16 i = 0; i < u16(font, 4); ++i) {
    const qsizetype entry = 12 + 16 * qsizetype{i};
    if (font.mid(entry, 4) == tag) return font.mid(u32(font, entry + 8), u32(font, entry + 12));
  }
  return {};
}

quint32 checksum(const QByteArray& table) {
  quint32 sum = 0;
  for (qsizetype at = 0; at < table.size(); at += 4) sum += u32(table, at);
  return sum;
}

// The tables a PDF reader draws a TrueType font with; the rest (kerning, substitutions,
// names) plays no part in a PDF.
constexpr std::array kKeptTables = {"cmap", "cvt ", "fpgm", "glyf", "head",
                                    "hhea", "hmtx", "loca", "maxp", "prep"};

// The glyphs a composite glyph is drawn from.
void addComponents(const QByteArray& glyph, std::vector<quint32>& pending) {
  constexpr quint16 kWords = 0x1;  // the flags of a component
  constexpr quint16 kScale = 0x8;
  constexpr quint16 kMore = 0x20;
  constexpr quint16 kXyScale = 0x40;
  constexpr quint16 kTwoByTwo = 0x80;
  if (glyph.size() < 10 || static_cast<qint16>(u16(glyph, 0)) >= 0) return;
  quint16 flags = kMore;
  for (qsizetype at = 10; (flags & kMore) != 0 && at + 4 <= glyph.size();) {
    flags = u16(glyph, at);
    pending.push_back(u16(glyph, at + 2));
    at += 4 + ((flags & kWords) != 0 ? 4 : 2);
    if ((flags & kScale) != 0) at += 2;
    if ((flags & kXyScale) != 0) at += 4;
    if ((flags & kTwoByTwo) != 0) at += 8;
  }
}

}  // namespace

PdfFont::PdfFont(bool bold) : bold_(bold) {
  QFile file(carriedFontFile(bold));
  if (file.open(QIODevice::ReadOnly)) file_ = file.readAll();
  const QRawFont raw(file_, 1000, QFont::PreferNoHinting);
  for (int code = ' '; code < 256; ++code) {
    const QList<quint32> glyph = raw.glyphIndexesForString(fromCp1252(std::string(1, char(code))));
    if (glyph.size() != 1 || glyph[0] == 0) continue;  // a code Windows-1252 leaves unused
    glyphs_.at(code) = glyph[0];
    advances_.at(code) =
        qRound(raw.advancesForGlyphIndexes(glyph, QRawFont::UseDesignMetrics)[0].x());
  }
  ascent_ = qRound(raw.ascent());
  descent_ = qRound(raw.descent());
  capHeight_ = qRound(raw.capHeight());
  const QByteArray head = tableOf(file_, "head");
  for (std::size_t i = 0; i < box_.size(); ++i) {
    const auto units = static_cast<qint16>(u16(head, 36 + 2 * static_cast<qsizetype>(i)));
    box_.at(i) = qRound(units * 1000.0 / raw.unitsPerEm());
  }
}

int PdfFont::width(std::string_view text) const {
  int sum = 0;
  for (const char c : text) sum += advance(c);
  return sum;
}

QByteArray PdfFont::subset() const {
  QByteArray head = tableOf(file_, "head");
  const QByteArray loca = tableOf(file_, "loca");
  const QByteArray glyf = tableOf(file_, "glyf");
  const quint16 glyphs = u16(tableOf(file_, "maxp"), 4);
  const bool longOffsets = u16(head, 50) == 1;
  const auto offset = [&](quint32 glyph) {
    return longOffsets ? u32(loca, 4 * qsizetype{glyph}) : 2 * u16(loca, 2 * qsizetype{glyph});
  };

  // The glyphs of the characters, the components of those built of others, and the glyph
  // of a missing character (0). Every glyph keeps its number; the others are left empty.
  std::vector<bool> used(glyphs);
  std::vector<quint32> pending(glyphs_.begin(), glyphs_.end());
  while (!pending.empty()) {
    const quint32 glyph = pending.back();
    pending.pop_back();
    if (glyph >= glyphs || used[glyph]) continue;
    used[glyph] = true;
    addComponents(glyf.mid(offset(glyph), offset(glyph + 1) - offset(glyph)), pending);
  }
  QByteArray newGlyf;
  QByteArray newLoca;
  for (quint32 glyph = 0; glyph < glyphs; ++glyph) {
    put32(newLoca, static_cast<quint32>(newGlyf.size()));
    if (!used[glyph]) continue;
    newGlyf += glyf.mid(offset(glyph), offset(glyph + 1) - offset(glyph));
    while (newGlyf.size() % 4 != 0) newGlyf.append('\0');
  }
  put32(newLoca, static_cast<quint32>(newGlyf.size()));
  head.replace(8, 4, QByteArray(4, '\0'));     // the file's checksum, set below
  head.replace(50, 2, QByteArray("\0\1", 2));  // long offsets in loca

  std::vector<std::pair<const char*, QByteArray>> tables;
  for (const char* tag : kKeptTables) {
    QByteArray table = tableOf(file_, tag);
    if (qstrcmp(tag, "head") == 0) table = head;
    if (qstrcmp(tag, "loca") == 0) table = newLoca;
    if (qstrcmp(tag, "glyf") == 0) table = newGlyf;
    if (!table.isEmpty()) tables.emplace_back(tag, table);
  }
  const auto count = static_cast<quint16>(tables.size());
  const auto floorPower = static_cast<quint16>(std::bit_floor(count));
  QByteArray font;
  put32(font, 0x00010000);
  put16(font, count);
  put16(font, static_cast<quint16>(16 * floorPower));
  put16(font, static_cast<quint16>(std::countr_zero(floorPower)));
  put16(font, static_cast<quint16>(16 * (count - floorPower)));
  auto at = static_cast<quint32>(12 + 16 * count);
  qsizetype headAt = 0;
  for (auto& [tag, table] : tables) {
    font.append(tag, 4);
    put32(font, checksum(table));
    put32(font, at);
    put32(font, static_cast<quint32>(table.size()));
    if (qstrcmp(tag, "head") == 0) headAt = at;
    while (table.size() % 4 != 0) table.append('\0');
    at += static_cast<quint32>(table.size());
  }
  for (const auto& [tag, table] : tables) font += table;
  const quint32 adjustment = qToBigEndian(0xB1B0AFBAu - checksum(font));
  font.replace(headAt + 8, 4, reinterpret_cast<const char*>(&adjustment), 4);
  return font;
}

}  // namespace kov
