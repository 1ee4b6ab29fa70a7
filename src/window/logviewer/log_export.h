// The rows shown, in their order, for other programs and for print: a CSV file that
// spreadsheets open directly, a PDF in the report's form, and the clipboard.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

namespace kov {

struct EntriesDocument;
class LogModel;
struct LogRow;

// The fields of a row as the list shows them, in the order of its columns.
QStringList rowFields(const LogRow& row);

// The rows for the clipboard: their fields separated by tabs, one line a row.
QString copyText(const std::vector<LogRow>& rows);

// Writes every row `model` shows, in its order, as the CSV file `name` (native): UTF-8 with
// its byte order mark, fields separated by ";" and quoted where needed, lines ended by CR LF,
// the column headings first. A field that a spreadsheet would take for a formula (it begins
// with "=", "+", "-" or "@") begins with an apostrophe, which keeps it text. The file takes
// the place of `name` only once written whole. `progress(done)` hears the rows written and
// answers false to give up, which leaves nothing written. An empty text, or the reason it
// was not written.
QString writeCsv(const LogModel& model, const std::string& name,
                 const std::function<bool(int)>& progress);

// Writes every row `model` shows, in its order, as the PDF `name` (native) of `document`,
// whose entries they become: the report's table, without the record number and the reported
// flag. The file takes the place of `name` as the CSV's does; `progress` as for writeCsv.
// More rows than a report's PDF holds are refused unread.
QString writePdf(const LogModel& model, const std::string& name, EntriesDocument document,
                 const std::function<bool(int)>& progress);

}  // namespace kov
