// Files of 256-byte records: 253 characters of text filled with spaces, "|", CR LF.
// Record N (from 1) begins at byte (N - 1) * 256.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "file.h"

namespace kov {

inline constexpr std::size_t kRecordSize = 256;
inline constexpr std::size_t kRecordText = 253;
inline constexpr std::string_view kRecordEnd = "|\r\n";

// The record of a text: its first 253 characters, filled with spaces, then "|" CR LF.
std::string recordOf(std::string_view text);
// Appends the record of a text to `bytes`, for writers that gather many records.
void appendRecordOf(std::string& bytes, std::string_view text);

// Creates a missing data file empty and hidden; an existing one keeps its content.
Error createHidden(std::string_view name);

// The number of complete records (the size divided by 256, rounded down).
Error countRecords(const File& file, std::int64_t& count);

// Reads record n into `record` when the file holds all of it (`complete` true);
// otherwise `complete` is false and `record` is left as it was.
Error readRecord(const File& file, std::int64_t n, std::string& record, bool& complete);

// Writes record n: `record` cut or filled with spaces to 256 bytes. The other records stay
// as they are; the file grows when n lies beyond its end.
Error writeRecord(const File& file, std::int64_t n, std::string_view record);

// Reads the file as text lines: CR LF, CR or LF ends a line, and a last line without an
// end counts. At most `maxLines` lines are read and only the first 256 characters of
// each are kept.
Error readLines(const File& file, std::size_t maxLines, std::vector<std::string>& lines);

}  // namespace kov
