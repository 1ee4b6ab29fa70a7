#include "temp_folder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <stdexcept>

namespace kov::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::mt19937_64 random{std::random_device{}()};
  do path_ = (fs::temp_directory_path() / ("kov-test-" + std::to_string(random()))).string();
  while (!fs::create_directory(path_));
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::names() const {
  std::vector<std::string> result;
  for (const auto& entry : fs::directory_iterator(path_))
    result.push_back(entry.path().filename().string());
  std::sort(result.begin(), result.end());
  return result;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw std::runtime_error("missing file " + path);
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');  // one read: fast under ASan
  in.seekg(0).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

Entries entriesUnder(const std::string& folder) {
  Entries entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    entries[entry.path().lexically_relative(folder).string()] =
        entry.is_symlink()     ? "-> " + fs::read_symlink(entry.path()).string()
        : entry.is_directory() ? "folder"
                               : readBytes(entry.path().string());
  }
  return entries;
}

std::string firstDifference(const Entries& before, const Entries& after) {
  for (const auto& [name, bytes] : before) {
    if (!after.contains(name)) return name + " is gone";
    const auto at = std::ranges::mismatch(bytes, after.at(name));
    if (at.in1 != bytes.end() || at.in2 != after.at(name).end())
      return name + ": record " + std::to_string((at.in1 - bytes.begin()) / 256 + 1) + " differs";
  }
  for (const auto& entry : after)
    if (!before.contains(entry.first)) return entry.first + " is new";
  return {};
}

#ifndef _WIN32
bool linuxOnly(const std::string& /*row*/, const char* /*why*/) {
  return false;
}

Unprivileged::Unprivileged(const TempFolder& folder) {
  constexpr uid_t kNobody = 65534;
  if (::geteuid() != 0) return;
  for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
    if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) throw std::runtime_error("lchown");
  }
  if (::chown(folder.path().c_str(), kNobody, kNobody) != 0 || ::setegid(kNobody) != 0 ||
      ::seteuid(kNobody) != 0) {
    throw std::runtime_error("cannot run as an ordinary user");
  }
  dropped_ = true;
}

Unprivileged::~Unprivileged() {
  if (dropped_ && (::seteuid(0) != 0 || ::setegid(0) != 0)) std::abort();
}
#else
bool linuxOnly(const std::string& row, const char* why) {
  std::printf("[ LINUX ONLY ] %s: %s\n", row.c_str(), why);
  return true;
}

Unprivileged::Unprivileged(const TempFolder& /*folder*/) {}  // Windows tests run unprivileged
Unprivileged::~Unprivileged() = default;
#endif

}  // namespace kov::test
