#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace kov::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::mt19937_64 random{std::random_device{}()};
  fs::path candidate;
  do {
    candidate = fs::temp_directory_path() / ("kov-test-" + std::to_string(random()));
  } while (!fs::create_directory(candidate));
  path_ = candidate.string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

void TempFolder::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::read(const std::string& name) const {
  return readBytes(file(name));
}

bool TempFolder::exists(const std::string& name) const {
  return fs::exists(file(name));
}

std::vector<std::string> TempFolder::names() const {
  std::vector<std::string> result;
  for (const auto& entry : fs::directory_iterator(path_)) {
    result.push_back(entry.path().filename().string());
  }
  std::sort(result.begin(), result.end());
  return result;
}

void TempFolder::makeReadOnly() const {
  fs::permissions(path_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

#ifndef _WIN32
namespace {
constexpr uid_t kNobody = 65534;
}

Unprivileged::Unprivileged(const TempFolder& folder) {
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
// Windows tests run as an ordinary user already.
Unprivileged::Unprivileged(const TempFolder& /*folder*/) {}
Unprivileged::~Unprivileged() = default;
#endif

void TempFolder::makeFolder(const std::string& name) const {
  fs::create_directory(file(name));
}

void TempFolder::setOwnerAccess(const std::string& name, int digit) const {
  fs::perms perms = fs::perms::none;
  if ((digit & 4) != 0) perms |= fs::perms::owner_read;
  if ((digit & 2) != 0) perms |= fs::perms::owner_write;
  if ((digit & 1) != 0) perms |= fs::perms::owner_exec;
  fs::permissions(file(name), perms);
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  EXPECT_TRUE(in.good()) << "missing file " << path;
  // One read of the whole file: character by character is slow under the sanitizers.
  std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

}  // namespace kov::test
