// The carried font as a PDF holds it: DejaVu Sans, regular or bold, as a TrueType font of the
// Windows-1252 characters, with their advances for the layout and the font file cut down to
// their glyphs.
#pragma once

#include <QByteArray>
#include <array>
#include <string_view>

namespace kov {

class PdfFont {
 public:
  explicit PdfFont(bool bold);

  // Advances and sizes are in thousandths of the font size, as the PDF's widths are.
  int advance(char code) const { return advances_[static_cast<unsigned char>(code)]; }
  int width(std::string_view text) const;
  int ascent() const { return ascent_; }
  int descent() const { return descent_; }  // below the baseline, positive
  int capHeight() const { return capHeight_; }
  const std::array<int, 4>& box() const { return box_; }
  bool bold() const { return bold_; }

  // The font file with the glyphs of the Windows-1252 characters alone, at their numbers:
  // a few tens of kilobytes instead of the whole font's hundreds.
  QByteArray subset() const;

 private:
  bool bold_;
  QByteArray file_;
  std::array<int, 256> advances_{};
  std::array<quint32, 256> glyphs_{};
  int ascent_ = 0, descent_ = 0, capHeight_ = 0;
  std::array<int, 4> box_{};
};

}  // namespace kov
