// The objects of an archive export, one per line: JSON as the central archive writes it and
// as `journalctl -o json` prints it.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kov {

using JsonFields = std::vector<std::pair<std::string, std::string>>;

// Reads a line holding one JSON object into `fields`, in the order of the line. Values are
// strings, numbers, true, false, null (left out) or arrays: journalctl prints a value that is
// not UTF-8 as an array of its bytes, and a field the log holds more than once as an array of
// its values, each of which becomes a field of its own. Only the fields whose names `keep`
// accepts are decoded; the others are read past. False when the line is no such object.
bool readJsonFields(std::string_view line, bool (*keep)(std::string_view name), JsonFields& fields);

}  // namespace kov
