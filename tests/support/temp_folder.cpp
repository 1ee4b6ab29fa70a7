#include "temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kov::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "kov-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
  path_ = pattern;
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

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "missing file " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kov::test
