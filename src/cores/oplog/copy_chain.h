// The chain of the copies that the program sends to the system log, so that an archive
// of them tells which copy is missing, which entry was altered, deleted or added without a
// copy, and which copy the program never sent. The record files are not touched by it.
//
// Two chains:
// - the records' links, one per record of the recordings file: link 0 is 32 zero bytes,
//   link n the SHA-256 of link n-1 followed by record n's link text. They follow from the
//   recordings file alone, so they can always be computed again;
// - the copies' hashes: every copy carries its number (KOV_SEQ), the hash of the copy made
//   before it (KOV_PREV) and its own (KOV_HASH), the SHA-256 of that previous hash followed
//   by its fields. The number and the last hash are kept in a small state file beside the
//   data files, with the last record's link so that an append reads one record, not all.
// Every copy is made under the lock of the recordings file, so two running copies of the
// program number their copies one after the other.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cores/shared/platform.h"
#include "runtime/file.h"
#include "runtime/sha256.h"

namespace kov {

inline constexpr std::string_view kChainStateFile = "\\KoV.catena";

using Fields = std::vector<std::pair<std::string, std::string>>;

// What a record gives its link: its entry with the flag "N" (marking an entry reported
// changes no link) and without the spaces at its end; nothing for a record that holds no
// entry (a damaged or empty one), which then counts by its place alone.
std::string linkText(std::string_view record);
// The same for an entry text, as a copy of it holds it.
std::string entryLinkText(std::string_view entry);
Digest nextLink(const Digest& previous, std::string_view linkText);

// The links of the first `records` records of a recordings file.
struct RecordLinks {
  std::int64_t records = 0;
  Digest first{};   // link 1
  Digest last{};    // link `records`
  Digest before{};  // link `records` - 1
};
Error linksOf(const File& recordings, std::int64_t records, RecordLinks& links);

// A copy's hash: SHA-256 of the previous copy's hash followed by every field but KOV_HASH,
// MESSAGE among them, in the order of their names, each in the journal's binary form: the
// name, LF, the length of the UTF-8 value in 8 bytes little-endian, the value, LF.
Digest copyHash(const Digest& previous, Fields utf8Fields);
// One field in that form.
std::string fieldBytes(std::string_view name, std::string_view value);

// The record just appended, for the copy of its entry.
struct AppendedRecord {
  std::string_view record;
  std::int64_t number = 0;
};

// What became of the copies.
enum class Delivery {
  Delivered,   // the log took them, and every copy that was waiting
  Waiting,     // kept, behind copies that were waiting already
  NowWaiting,  // kept: the first to wait
  Refused,     // a copy could not be kept; the others are delivered or waiting
};

// Chains `event` (and, when the chain's state is missing, a declared start before it) and
// sends it after the copies that are waiting. `locked` is the recordings file, held by the
// caller with lockLatest; `appended` is given for the copy of an entry.
Delivery chainAndSend(Platform& platform, const File& locked, SystemLogEvent event,
                      std::optional<AppendedRecord> appended = std::nullopt);

// The links of every record of the recordings file `locked`, held by the caller with
// lockLatest: the state's when they still hold, otherwise computed from the file.
RecordLinks recordLinks(Platform& platform, const File& locked);

// The last copy's number and hash as the chain's state in the program folder `folder` holds
// them; false when there is no state that reads.
bool lastCopy(std::string_view folder, std::int64_t& number, Digest& hash);

// Shows what the user learns of a delivery: once that copies are waiting, and each copy
// refused. Called when the lock is released.
void tellDelivery(Platform& platform, Delivery delivery);

// The copy of an event that appends no record, or of an entry appended by a caller that has
// released its lock: takes the recordings file's lock, chains and sends, tells.
void sendCopy(Platform& platform, SystemLogEvent event,
              std::optional<AppendedRecord> appended = std::nullopt);

// Delivers the copies that are waiting, when the log takes them again (at start-up).
void deliverWaiting(Platform& platform);

}  // namespace kov
