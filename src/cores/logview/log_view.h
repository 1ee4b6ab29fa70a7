// The rows the log viewer lists: the records of its index in the order of a column, narrowed
// by a period and a text. The order and the text's matches are kept, so that a change of one
// redoes only its own part. No Qt here.
#pragma once

#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

#include "log_fields.h"
#include "log_index.h"

namespace kov {

// Ascending by a column: the record's number; the date and time; the time of day, then the
// date; the workstation, the account or the description, letter case aside (Windows-1252
// upper case, then the codes); the reported flag, "N" before "S". Ties go by record number.
// Descending is the ascending order reversed, ties included. Damaged records, which have
// only a number, follow the entries by number in every order but the record number's.
struct LogOrder {
  LogColumn column = LogColumn::Record;
  bool descending = false;
  bool operator==(const LogOrder&) const = default;
};

struct LogFilter {
  std::string from = {};  // period keys yyyymmdd, compared as texts; an empty one is open
  std::string to = {};
  // Found in the record's number or in any column as shown but the reported flag, letter
  // case aside; Windows-1252.
  std::string text = {};
  bool operator==(const LogFilter&) const = default;
};

// The records whose row holds a text, by number - 1.
struct TextMatches {
  std::string upper;  // the text in upper case
  std::vector<bool> found;
};

struct LogView {
  std::shared_ptr<const LogIndex> index;
  LogOrder order;
  std::shared_ptr<const std::vector<std::uint32_t>> sorted;  // the listed records in `order`
  std::shared_ptr<const TextMatches> matches;                // of filter.text
  LogFilter filter;
  std::shared_ptr<const std::vector<std::uint32_t>> shown;  // the rows: records of `sorted`

  // The view of a freshly read index: every listed record by number, no filter.
  static LogView of(std::shared_ptr<const LogIndex> index);
};

// The memory an order by a text takes for the characters it compares in one reading of the
// file: the whole texts of a file of classic size, 8 characters a record of the largest.
inline constexpr std::size_t kSortBudget = std::size_t{32} << 20;

// Brings `view` to `order` and `filter`, reading the file only for a new order by a text
// column (in passes, each over the next characters of the records the passes before left
// tied, as many as `sortBudget` allows) or a new text (a text that extends the last one looks
// only among its matches). Damaged records pass any period and are found by their number and
// "danneggiata". When the scan does not end done, `view` is left as it was.
Scan updateView(LogView& view, const LogOrder& order, const LogFilter& filter,
                const std::stop_token& stop, std::size_t sortBudget = kSortBudget);

}  // namespace kov
