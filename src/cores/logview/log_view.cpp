#include "log_view.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "runtime/cp1252.h"
#include "runtime/text.h"
#include "texts.h"

namespace kov {
namespace {

// Upper case by a table: the texts of every row go through it.
char upper(char c) {
  static const std::array<char, 256> kUpper = [] {
    std::array<char, 256> table{};
    for (std::size_t i = 0; i < table.size(); ++i) table[i] = toUpper1252(static_cast<char>(i));
    return table;
  }();
  return kUpper[static_cast<unsigned char>(c)];
}

// Sorts the entries `entries` (numbers ascending) by the text of `column`, letter case aside,
// ties by number, reading the file in passes.
Scan sortByText(const LogIndex& index, LogColumn column, const std::stop_token& stop,
                std::size_t budget, std::vector<std::uint32_t>& entries) {
  const std::size_t records = std::max<std::size_t>(index.keys.size(), 1);
  const std::size_t width = std::clamp<std::size_t>(budget / records, 8, kRecordText);
  std::vector<char> chars(records * width);
  // The characters left from the pass's offset, width + 1 for more than the pass takes.
  std::vector<std::uint8_t> left(records);
  std::vector<bool> wanted(records);
  const auto at = [&](std::uint32_t record) { return &chars[(record - 1) * width]; };
  const auto same = [&](std::uint32_t a, std::uint32_t b) {
    return left[a - 1] == left[b - 1] && std::memcmp(at(a), at(b), width) == 0;
  };
  const auto less = [&](std::uint32_t a, std::uint32_t b) {
    const int order = std::memcmp(at(a), at(b), width);
    if (order != 0) return order < 0;
    return left[a - 1] != left[b - 1] ? left[a - 1] < left[b - 1] : a < b;
  };
  std::vector<std::pair<std::size_t, std::size_t>> tied = {{0, entries.size()}};
  for (std::size_t offset = 0; !tied.empty(); offset += width) {
    for (const auto& [first, end] : tied) {
      for (std::size_t i = first; i < end; ++i) wanted[entries[i] - 1] = true;
    }
    const auto isWanted = [&](std::uint32_t record) { return wanted[record - 1]; };
    Scan scan = readListed(index, listedWhere(index, isWanted), stop,
                           [&](std::uint32_t record, std::string_view entry) {
                             const std::string_view text = entryField(entry, column);
                             const std::string_view part = mid(text, offset + 1, width);
                             char* to = std::transform(part.begin(), part.end(), at(record), upper);
                             std::fill(to, at(record) + width, '\0');
                             left[record - 1] = static_cast<std::uint8_t>(
                                 std::min(text.size() - std::min(text.size(), offset), width + 1));
                           });
    if (!scan.done()) return scan;
    wanted.assign(records, false);
    std::vector<std::pair<std::size_t, std::size_t>> still;
    for (const auto& [first, end] : tied) {
      std::sort(entries.begin() + static_cast<std::ptrdiff_t>(first),
                entries.begin() + static_cast<std::ptrdiff_t>(end), less);
      for (std::size_t run = first; run < end;) {
        std::size_t next = run + 1;
        while (next < end && same(entries[run], entries[next])) ++next;
        if (next - run > 1 && left[entries[run] - 1] > width) still.emplace_back(run, next);
        run = next;
      }
    }
    tied = std::move(still);
  }
  return {};
}

Scan sortLog(const LogIndex& index, const LogOrder& order, const std::stop_token& stop,
             std::size_t budget, std::vector<std::uint32_t>& sorted) {
  std::vector<std::uint32_t> damaged;
  if (order.column == LogColumn::Record) {
    sorted = index.listed;
  } else {
    for (const std::uint32_t record : index.listed) {
      (index.key(record).kind() == RecordKey::Kind::Entry ? sorted : damaged).push_back(record);
    }
  }
  const auto by = [&](auto key) {
    std::sort(sorted.begin(), sorted.end(), [&](std::uint32_t a, std::uint32_t b) {
      return std::pair(key(index.key(a)), a) < std::pair(key(index.key(b)), b);
    });
  };
  Scan scan;
  switch (order.column) {
    case LogColumn::Record:
      break;
    case LogColumn::Date:
      by([](RecordKey k) { return k.dateTime(); });
      break;
    case LogColumn::Time:
      by([](RecordKey k) { return std::pair(k.timeOfDay(), k.day()); });
      break;
    case LogColumn::Reported:
      by([](RecordKey k) { return k.reported(); });
      break;
    default:
      scan = sortByText(index, order.column, stop, budget, sorted);
  }
  if (order.descending) std::reverse(sorted.begin(), sorted.end());
  sorted.insert(sorted.end(), damaged.begin(), damaged.end());
  return scan;
}

// The records of the index whose row holds `text`; when `previous` holds a text that `text`
// contains, only among its matches.
Scan findText(const LogIndex& index, const std::string& text, const TextMatches* previous,
              const std::stop_token& stop, TextMatches& matches) {
  matches.upper = toUpper1252(text);
  matches.found.assign(index.keys.size(), false);
  const bool narrower =
      previous != nullptr && matches.upper.find(previous->upper) != std::string::npos;
  const auto holds = [&](std::string_view upperText) {
    return upperText.find(matches.upper) != std::string_view::npos;
  };
  const bool damagedHolds = holds(toUpper1252(logview_text::kDamaged));
  const auto candidate = [&](std::uint32_t record) {
    if (narrower && !previous->found[record - 1]) return false;
    if (holds(std::to_string(record))) {
      matches.found[record - 1] = true;
      return false;
    }
    if (index.key(record).kind() == RecordKey::Kind::Damaged) {
      matches.found[record - 1] = damagedHolds;
      return false;
    }
    return true;  // an entry: its texts are read
  };
  // Not the one-letter flag: any "s" or "n" typed would find every entry by it.
  constexpr LogColumn kSearched[] = {LogColumn::Date, LogColumn::Time, LogColumn::Workstation,
                                     LogColumn::Account, LogColumn::Description};
  std::string folded;
  return readListed(index, listedWhere(index, candidate), stop,
                    [&](std::uint32_t record, std::string_view entry) {
                      folded.resize(entry.size());
                      std::transform(entry.begin(), entry.end(), folded.begin(), upper);
                      matches.found[record - 1] =
                          std::any_of(std::begin(kSearched), std::end(kSearched),
                                      [&](LogColumn c) { return holds(entryField(folded, c)); });
                    });
}

}  // namespace

LogView LogView::of(std::shared_ptr<const LogIndex> index) {
  LogView view;
  view.sorted = std::shared_ptr<const std::vector<std::uint32_t>>(index, &index->listed);
  view.shown = view.sorted;
  view.index = std::move(index);
  return view;
}

Scan updateView(LogView& view, const LogOrder& order, const LogFilter& filter,
                const std::stop_token& stop, std::size_t sortBudget) {
  LogView next = view;
  if (order != view.order) {
    auto sorted = std::make_shared<std::vector<std::uint32_t>>();
    if (Scan scan = sortLog(*view.index, order, stop, sortBudget, *sorted); !scan.done()) {
      return scan;
    }
    next.order = order;
    next.sorted = std::move(sorted);
  }
  if (filter.text.empty()) {
    next.matches.reset();
  } else if (next.matches == nullptr || filter.text != view.filter.text) {
    auto matches = std::make_shared<TextMatches>();
    if (Scan scan = findText(*view.index, filter.text, view.matches.get(), stop, *matches);
        !scan.done()) {
      return scan;
    }
    next.matches = std::move(matches);
  }
  next.filter = filter;
  if (filter.from.empty() && filter.to.empty() && next.matches == nullptr) {
    next.shown = next.sorted;
  } else {
    const auto bound = [](const std::string& key, std::uint32_t open) {
      return key.empty() ? open : static_cast<std::uint32_t>(std::stoul(key));
    };
    const std::uint32_t from = bound(filter.from, 0);
    const std::uint32_t to = bound(filter.to, UINT32_MAX);
    auto shown = std::make_shared<std::vector<std::uint32_t>>();
    for (const std::uint32_t record : *next.sorted) {
      const RecordKey key = view.index->key(record);
      if ((key.kind() == RecordKey::Kind::Damaged || (key.day() >= from && key.day() <= to)) &&
          (next.matches == nullptr || next.matches->found[record - 1])) {
        shown->push_back(record);
      }
    }
    next.shown = std::move(shown);
  }
  view = std::move(next);
  return {};
}

}  // namespace kov
