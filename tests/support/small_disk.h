// A small tmpfs mounted over a folder for the length of its life, so that a test meets the
// real "disk full" of the operating system. Mounting needs root; where it is refused the
// test says so and is skipped.
#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace kov::test {

class SmallDisk {
 public:
  SmallDisk(std::string folder, std::size_t bytes) : folder_(std::move(folder)) {
    const std::string size = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, size.c_str()) != 0)
      refusal_ = std::strerror(errno);
  }
  ~SmallDisk() {
    if (mounted()) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return refusal_.empty(); }
  const std::string& refusal() const { return refusal_; }

 private:
  std::string folder_;
  std::string refusal_;
};

}  // namespace kov::test
