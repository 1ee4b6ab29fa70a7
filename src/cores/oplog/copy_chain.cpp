#include "copy_chain.h"

#include <algorithm>

#include "copy_spool.h"
#include "cores/shared/kov_par.h"
#include "entry.h"
#include "entry_record.h"
#include "runtime/records.h"
#include "texts.h"

namespace kov {
namespace {

constexpr std::string_view kStateHeading = "KoV catena 1";

// The chain as the state file keeps it.
struct ChainState {
  std::int64_t copies = 0;  // the last copy's number; 0 when there is no state
  Digest hash{};            // the last copy's hash
  RecordLinks links;        // the links of the recordings file when it was last looked at
};

std::string stateText(const ChainState& state) {
  return std::string(kStateHeading) + "\ncopie " + std::to_string(state.copies) + "\nhash " +
         hexOf(state.hash) + "\nscritture " + std::to_string(state.links.records) + "\nprima " +
         hexOf(state.links.first) + "\nultima " + hexOf(state.links.last) + "\npenultima " +
         hexOf(state.links.before) + "\n";
}

// False for anything but the text stateText writes.
bool readState(std::string_view text, ChainState& state) {
  const auto line = [&text](std::string_view key, std::string& value) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos || text.substr(0, key.size() + 1) != std::string(key) + ' ') {
      return false;
    }
    value = text.substr(key.size() + 1, end - key.size() - 1);
    text.remove_prefix(end + 1);
    return true;
  };
  const auto number = [](const std::string& value, std::int64_t& n) {
    if (value.empty() || value.size() > 18 ||
        value.find_first_not_of("0123456789") != std::string::npos) {
      return false;
    }
    n = std::stoll(value);
    return true;
  };
  if (text.substr(0, kStateHeading.size() + 1) != std::string(kStateHeading) + '\n') return false;
  text.remove_prefix(kStateHeading.size() + 1);
  std::string copies;
  std::string hash;
  std::string records;
  std::string first;
  std::string last;
  std::string before;
  return line("copie", copies) && line("hash", hash) && line("scritture", records) &&
         line("prima", first) && line("ultima", last) && line("penultima", before) &&
         text.empty() && number(copies, state.copies) && state.copies > 0 &&
         digestOf(hash, state.hash) && number(records, state.links.records) &&
         digestOf(first, state.links.first) && digestOf(last, state.links.last) &&
         digestOf(before, state.links.before);
}

std::string stateName(const std::string& folder) {
  return dataFileName(folder, kChainStateFile);
}

// False when there is no state, or none that reads.
bool loadState(const std::string& folder, ChainState& state) {
  File file;
  std::string text(512, '\0');
  std::size_t got = 0;
  if (file.open(stateName(folder), File::Mode::Read) ||
      file.readAt(0, text.data(), text.size(), got)) {
    return false;
  }
  text.resize(got);
  return readState(text, state);
}

// A state that cannot be written is removed, so that the next copy declares a new start
// instead of numbering again from an old state.
void saveState(const std::string& folder, const ChainState& state) {
  File old;
  if (replaceFile(old, stateName(folder), stateText(state))) deleteFile(stateName(folder));
}

// The links of the first `records` records: the state's when it holds them and the last
// of them still reads as it did (one record read), otherwise computed from the file.
RecordLinks linksBefore(const File& recordings, const ChainState& state, std::int64_t records) {
  RecordLinks links;
  if (state.links.records == records) {
    if (records == 0) return state.links;
    std::string record;
    bool complete = false;
    if (!readRecord(recordings, records, record, complete) && complete &&
        nextLink(state.links.before, linkText(record)) == state.links.last) {
      return state.links;
    }
  }
  if (linksOf(recordings, records, links)) links = {};
  return links;
}

// Adds the chain's fields, the hash last, and moves the chain on.
void stamp(SystemLogEvent& copy, ChainState& state) {
  copy.fields.emplace_back("KOV_SEQ", std::to_string(++state.copies));
  copy.fields.emplace_back("KOV_PREV", hexOf(state.hash));
  Fields utf8{{"MESSAGE", copy.message}};
  utf8.insert(utf8.end(), copy.fields.begin(), copy.fields.end());
  for (auto& [name, value] : utf8) value = utf8FromCp1252(value);
  state.hash = copyHash(state.hash, std::move(utf8));
  copy.fields.emplace_back("KOV_HASH", hexOf(state.hash));
}

// The copies the log takes; the rest waits, in order, behind any copy already waiting.
Delivery deliver(Platform& platform, const std::string& folder,
                 const std::vector<SystemLogEvent>& copies) {
  std::vector<SystemLogEvent> waiting = waitingCopies(folder);
  const bool wasWaiting = !waiting.empty();
  std::size_t delivered = 0;
  while (delivered < waiting.size() && platform.copyToSystemLog(waiting[delivered])) ++delivered;
  waiting.erase(waiting.begin(), waiting.begin() + static_cast<std::ptrdiff_t>(delivered));
  bool refused = false;
  bool changed = delivered > 0;
  std::size_t size = spoolBytes(waiting).size();
  for (const SystemLogEvent& copy : copies) {
    if (waiting.empty() && platform.copyToSystemLog(copy)) continue;
    const std::size_t more = spoolBytes({copy}).size();
    if (size + more > kSpoolLimit) {
      refused = true;
      continue;
    }
    waiting.push_back(copy);
    size += more;
    changed = true;
  }
  if (changed && keepWaiting(folder, waiting)) return Delivery::Refused;
  if (refused) return Delivery::Refused;
  if (waiting.empty()) return Delivery::Delivered;
  return wasWaiting ? Delivery::Waiting : Delivery::NowWaiting;
}

}  // namespace

std::string entryLinkText(std::string_view entry) {
  std::string text(entry.substr(0, entry.find_last_not_of(' ') + 1));
  if (!text.empty()) text[0] = kUnreported;
  return text;
}

std::string linkText(std::string_view record) {
  std::string entry;
  return readEntry(record, entry) == RecordRead::Entry ? entryLinkText(entry) : std::string();
}

Digest nextLink(const Digest& previous, std::string_view linkText) {
  return Sha256().add(previous).add(linkText).finish();
}

Error linksOf(const File& recordings, std::int64_t records, RecordLinks& links) {
  links = {};
  constexpr std::int64_t kPiece = 4096;  // records per read: 1 MiB
  std::string piece;
  for (std::int64_t first = 1; first <= records; first += kPiece) {
    piece.resize(static_cast<std::size_t>(std::min(kPiece, records - first + 1)) * kRecordSize);
    std::size_t got = 0;
    const auto offset = static_cast<std::uint64_t>(first - 1) * kRecordSize;
    if (Error error = recordings.readAt(offset, piece.data(), piece.size(), got)) return error;
    if (got < piece.size()) return errorOf(err::kPathFileAccess);  // shortened meanwhile
    for (std::size_t at = 0; at < got; at += kRecordSize) {
      links.before = links.last;
      links.last = nextLink(links.last, linkText(std::string_view(piece).substr(at, kRecordSize)));
      if (++links.records == 1) links.first = links.last;
    }
  }
  return {};
}

std::string fieldBytes(std::string_view name, std::string_view value) {
  std::string bytes(name);
  bytes += '\n';
  for (int byte = 0; byte < 8; ++byte) {
    bytes += static_cast<char>((std::uint64_t{value.size()} >> (8 * byte)) & 0xFFu);
  }
  bytes += value;
  bytes += '\n';
  return bytes;
}

Digest copyHash(const Digest& previous, Fields utf8Fields) {
  std::ranges::sort(utf8Fields);
  Sha256 hash;
  hash.add(previous);
  for (const auto& [name, value] : utf8Fields) {
    if (name != "KOV_HASH") hash.add(fieldBytes(name, value));
  }
  return hash.finish();
}

Delivery chainAndSend(Platform& platform, const File& locked, SystemLogEvent event,
                      std::optional<AppendedRecord> appended) {
  const std::string folder = platform.programFolder();
  ChainState state;
  const bool known = loadState(folder, state);
  if (!known) state = {};
  std::int64_t records = 0;
  countRecords(locked, records);
  if (appended) records = appended->number - 1;
  state.links = linksBefore(locked, state, records);
  std::vector<SystemLogEvent> copies;
  if (!known) {
    copies.push_back({oplog_text::chainStarted(records),
                      {{"KOV_EVENT", "CHAIN_START"},
                       {"KOV_RECORDS", std::to_string(records)},
                       {"KOV_LINK", hexOf(state.links.last)}}});
  }
  if (appended) {
    RecordLinks& links = state.links;
    links.before = links.last;
    links.last = nextLink(links.last, linkText(appended->record));
    if (++links.records == 1) links.first = links.last;
    event.fields.emplace_back("KOV_LINK", hexOf(links.last));
  }
  copies.push_back(std::move(event));
  for (SystemLogEvent& copy : copies) stamp(copy, state);
  saveState(folder, state);
  return deliver(platform, folder, copies);
}

void tellDelivery(Platform& platform, Delivery delivery) {
  if (delivery == Delivery::NowWaiting) {
    showInformation(platform, oplog_text::kCopiesWaiting, kAppTitle);
  } else if (delivery == Delivery::Refused) {
    platform.message(Icon::Critical, oplog_text::kCopyRefused, kAppTitle);  // a copy is lost
  }
}

RecordLinks recordLinks(Platform& platform, const File& locked) {
  ChainState state;
  std::int64_t records = 0;
  countRecords(locked, records);
  if (!loadState(platform.programFolder(), state)) state = {};
  return linksBefore(locked, state, records);
}

bool lastCopy(std::string_view folder, std::int64_t& number, Digest& hash) {
  ChainState state;
  if (!loadState(std::string(folder), state)) return false;
  number = state.copies;
  hash = state.hash;
  return true;
}

void deliverWaiting(Platform& platform) {
  File recordings;
  const std::string folder = platform.programFolder();
  bool held = false;
  if (waitingCopies(folder).empty() ||
      recordings.open(dataFileName(folder, kRecordingsFile), File::Mode::Append) ||
      recordings.lockLatest(recordingsLockWait(platform, held))) {
    return;
  }
  const Delivery delivery = deliver(platform, folder, {});
  recordings.close();
  tellDelivery(platform, delivery);
}

void sendCopy(Platform& platform, SystemLogEvent event, std::optional<AppendedRecord> appended) {
  File recordings;
  Delivery delivery = Delivery::Refused;
  bool held = false;
  if (!recordings.open(dataFileName(platform.programFolder(), kRecordingsFile),
                       File::Mode::Append) &&
      !recordings.lockLatest(recordingsLockWait(platform, held))) {
    delivery = chainAndSend(platform, recordings, std::move(event), appended);
  }
  recordings.close();
  tellDelivery(platform, delivery);
}

}  // namespace kov
