// A fresh temporary program folder per test, removed afterwards, with byte-level helpers.
#pragma once

#include <string>
#include <vector>

namespace kov::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder as the program names it (on Linux a plain absolute path).
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  void write(const std::string& name, const std::string& bytes) const;
  // The file's bytes; fails the test when it is missing.
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  // The names in the folder, sorted.
  std::vector<std::string> names() const;
  void makeReadOnly() const;
  void makeFolder(const std::string& name) const;
  // Owner permissions only, as the octal digit of chmod: 4 read, 2 write, 1 execute.
  void setOwnerAccess(const std::string& name, int digit) const;

 private:
  std::string path_;
};

// For the length of its life the test runs as an ordinary user who owns the folder, so
// that file permissions apply even when the tests run as root (as on CI machines).
class Unprivileged {
 public:
  explicit Unprivileged(const TempFolder& folder);
  ~Unprivileged();
  Unprivileged(const Unprivileged&) = delete;
  Unprivileged& operator=(const Unprivileged&) = delete;

 private:
  bool dropped_ = false;
};

// The bytes of a file anywhere.
std::string readBytes(const std::string& path);

}  // namespace kov::test
