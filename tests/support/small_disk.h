// A small tmpfs mounted over a folder for the length of its life, so that a test meets the
// real "disk full" of the operating system. Mounting needs root; where it is refused the
// test says so and is skipped.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace kov::test {

class SmallDisk {
 public:
  SmallDisk(std::string folder, std::size_t bytes) : folder_(std::move(folder)) {
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0) {
      mounted_ = true;
    } else {
      refusal_ = std::strerror(errno);
    }
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& refusal() const { return refusal_; }

  // A file named "filler" takes every free block; false when the disk did not fill up.
  bool fill() const {
    const int fd = ::open((folder_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return false;
    const std::string block(4096, 'f');
    ssize_t written = 0;
    do {
      written = ::write(fd, block.data(), block.size());
    } while (written > 0);
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
  }
  // Gives the space back.
  void empty() const { ::unlink((folder_ + "/filler").c_str()); }

 private:
  std::string folder_;
  bool mounted_ = false;
  std::string refusal_;
};

}  // namespace kov::test
