// A fresh temporary program folder, removed afterwards, with byte-level helpers.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace kov::test {

std::string readBytes(const std::string& path);  // throws when the file is missing

// Every entry under a folder by its path in it: a file's bytes, "-> " and the target of a
// link, "folder" for a folder.
using Entries = std::map<std::string, std::string>;
Entries entriesUnder(const std::string& folder);
// Empty when both hold the same entries; otherwise the first entry that differs, for a file
// with its first differing record.
std::string firstDifference(const Entries& before, const Entries& after);

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& path() const { return path_; }  // a plain absolute path
  // With the system's own separator, as the program names the files it tells about; a name
  // in a sub-folder is given with '/'.
  std::string file(std::string name) const {
    std::ranges::replace(name, '/', char(std::filesystem::path::preferred_separator));
    return path_ + char(std::filesystem::path::preferred_separator) + name;
  }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(file(name), std::ios::binary).write(bytes.data(), std::ssize(bytes));
  }
  std::string read(const std::string& name) const { return readBytes(file(name)); }
  bool exists(const std::string& name) const { return std::filesystem::exists(file(name)); }
  std::vector<std::string> names() const;  // sorted
  void makeFolder(const std::string& name) const { std::filesystem::create_directory(file(name)); }
  // Owner permissions only, as the octal digit of chmod: 4 read, 2 write, 1 execute.
  void setOwnerAccess(const std::string& name, int digit) const {
    std::filesystem::permissions(file(name), static_cast<std::filesystem::perms>((digit & 7) << 6));
  }

 private:
  std::string path_;
};

// True, and the row named as left out, on Windows: for a row that needs what Windows gives
// otherwise and wine not at all (`why`).
bool linuxOnly(const std::string& row, const char* why);

// For the length of its life the test runs as an ordinary user who owns the folder, so
// that file permissions apply even when the tests run as root (as on CI machines).
class Unprivileged {
 public:
  explicit Unprivileged(const TempFolder& folder);
  ~Unprivileged();

 private:
  bool dropped_ = false;
};

}  // namespace kov::test
