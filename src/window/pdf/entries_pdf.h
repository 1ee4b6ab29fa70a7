// Entries of the recordings file as a document to print and sign: a heading, then a ruled
// table of the entries on A4 landscape pages, then lines to sign on. The report writes its
// PDF with it, and so may any list of entries that is to look the same.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace kov {

// One row of the table: the fields of an entry in Windows-1252, as the entry holds them
// (fill spaces at their ends are not shown).
struct PdfEntry {
  std::string date, time, workstation, account, description;
};

struct EntriesDocument {
  QString title;                  // in bold above the heading, and the PDF's own title
  QStringList heading;            // a line each, wrapped when longer than the page is wide
  std::vector<PdfEntry> entries;  // in the order of the table
  QStringList signatures;         // a caption each, side by side, with a line to sign on
};

// The document as a PDF, drawn with the font the program carries at one size whatever the
// texts' lengths. The table's column titles are repeated on every page; a text longer than
// its column wraps inside it between words (a word longer than the column, inside the word);
// every page ends with "Pagina n di m".
QByteArray entriesPdf(const EntriesDocument& document);

// Writes the PDF as the new file `pdf` (a native name): never over an existing file, a folder
// or a link; synced with its folder entry, and removed when it could not be written whole.
// An empty text, or the reason it was not written.
QString writeEntriesPdf(const std::string& pdf, const EntriesDocument& document);

}  // namespace kov
