#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "cp1252.h"
#include "faults.h"
#include "file.h"

namespace kov {
namespace {

constexpr std::size_t kRecordSize = 256;
constexpr const char* kDosAttrib = "user.DOSATTRIB";
constexpr char kHidden[] = "0x2";  // FILE_ATTRIBUTE_HIDDEN, Samba's text form

Error notOpen() {
  return errorOf(err::kBadFileNumber);
}

std::string parentOf(const std::string& native) {
  const auto slash = native.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : native.substr(0, slash);
}

bool exists(const std::string& native) {
  struct stat st {};
  return ::lstat(native.c_str(), &st) == 0;
}

Error errorFor(int errnoValue, const std::string& native) {
  return errorFromErrno(errnoValue, errnoValue != ENOENT || exists(parentOf(native)));
}

// Counts the call and, when a failure is planned for it, sets errno.
bool injected(faults::Op op) {
  int errnoValue = 0;
  if (!faults::hit(op, errnoValue)) return false;
  errno = errnoValue;
  return true;
}

// True for the running program's own file. On Linux the program file "kov" lies beside the
// administrator file "KoV" and must never be taken for it.
bool isProgramFile(const std::string& native) {
  static const struct stat program = [] {
    struct stat st {};
    ::stat("/proc/self/exe", &st);
    return st;
  }();
  struct stat st {};
  return ::stat(native.c_str(), &st) == 0 && st.st_ino == program.st_ino &&
         st.st_dev == program.st_dev;
}

// The entries of `folder` whose names equal `part` without regard to letter case, in byte
// order, the running program's own file left out.
std::vector<std::string> spellingsOf(const std::string& folder, const std::string& part) {
  std::vector<std::string> matches;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return matches;
  const std::string wanted = toUpper1252(cp1252FromUtf8(part));
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
  while (const dirent* entry = ::readdir(dir)) {
    if (toUpper1252(cp1252FromUtf8(entry->d_name)) == wanted &&
        !isProgramFile(prefix + entry->d_name)) {
      matches.emplace_back(entry->d_name);
    }
  }
  ::closedir(dir);
  std::sort(matches.begin(), matches.end());
  return matches;
}

// The entry of `folder` whose name equals `part` without regard to letter case.
std::string findIgnoringCase(const std::string& folder, const std::string& part) {
  const std::vector<std::string> matches = spellingsOf(folder, part);
  return matches.empty() ? part : matches.front();
}

// Files the program creates are for owner and group alone, whatever the umask: the
// credential files hold the passwords behind a shift anyone can undo, and a file created by
// one of the two users must stay writable by the other.
constexpr mode_t kDataMode = 0660;

// Flushes the folder entry of `native`: a new or renamed file is on the disk only once it is.
Error syncFolderOf(const std::string& native) {
  const int dir = ::open(parentOf(native).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return errorFromErrno(errno);
  const int synced = ::fsync(dir);
  const int failure = errno;
  ::close(dir);
  return synced == 0 ? Error{} : errorFromErrno(failure);
}

// Creates `native` new: O_EXCL refuses an existing file and any link of that name, so nothing
// is ever written through one.
int createNew(const std::string& native, int flags) {
  return ::open(native.c_str(), flags | O_CREAT | O_EXCL | O_NOFOLLOW, kDataMode);
}

// Opens `native`, or creates it new when it is missing. A link that points nowhere is refused
// (ELOOP): following it would create a file wherever it points.
int openOrCreate(const std::string& native, int flags, bool& created) {
  int fd = ::open(native.c_str(), flags);
  if (fd >= 0 || errno != ENOENT) return fd;
  fd = createNew(native, flags);
  created = fd >= 0;
  if (fd >= 0 || errno != EEXIST) return fd;
  fd = ::open(native.c_str(), flags);  // created meanwhile by another copy of the program
  if (fd < 0 && errno == ENOENT) errno = ELOOP;
  return fd;
}

Error fullWrite(int fd, const char* data, std::size_t length, std::uint64_t offset, bool append) {
  while (length > 0) {
    if (injected(faults::Op::Write)) return errorFromErrno(errno);
    const ssize_t n =
        append ? ::write(fd, data, length) : ::pwrite(fd, data, length, static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errorFromErrno(errno);
    }
    data += n;
    length -= static_cast<std::size_t>(n);
    offset += static_cast<std::uint64_t>(n);
  }
  return {};
}

}  // namespace

std::string nativeName(std::string_view name) {
  std::string native;
  std::size_t start = 0;
  if (!name.empty() && (name[0] == '\\' || name[0] == '/')) native = '/';
  while (start <= name.size()) {
    std::size_t end = name.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = name.size();
    const std::string part = utf8FromCp1252(name.substr(start, end - start));
    if (!part.empty()) {
      const std::string folder = native;
      if (!native.empty() && native.back() != '/') native += '/';
      if (part == "." || part == ".." || exists(native + part)) {
        native += part;
      } else {
        native += findIgnoringCase(folder, part);
      }
    }
    if (end < name.size() && end + 1 == name.size() && !native.empty() && native.back() != '/') {
      native += '/';  // a trailing separator stays: the name is a folder
    }
    start = end + 1;
  }
  return native;
}

Error File::open(std::string_view name, Mode mode) {
  close();
  // The system call would stop at the NUL and open another file.
  if (name.find('\0') != std::string_view::npos) return errorOf(err::kBadFileNumber);
  native_ = std::string(name);
  if (injected(faults::Op::Open)) return errorFor(errno, native_);
  // Non-blocking, so that a FIFO or a device in place of a data file cannot hold the open;
  // it is refused below and the flag cleared for the files that pass.
  constexpr int kAlways = O_CLOEXEC | O_NONBLOCK;
  int fd = -1;
  bool created = false;
  writable_ = mode != Mode::Read;
  switch (mode) {
    case Mode::Read:
      fd = ::open(native_.c_str(), O_RDONLY | kAlways);
      break;
    case Mode::Append:
      fd = openOrCreate(native_, O_RDWR | O_APPEND | kAlways, created);
      break;
    case Mode::Update:
      fd = openOrCreate(native_, O_RDWR | kAlways, created);
      // A file that may only be read is still opened, for reading.
      if (fd < 0 && (errno == EACCES || errno == EROFS) && exists(native_)) {
        fd = ::open(native_.c_str(), O_RDONLY | kAlways);
        writable_ = false;
      }
      break;
    case Mode::Create:
      fd = createNew(native_, O_RDWR | kAlways);
      created = fd >= 0;
      break;
  }
  if (fd < 0) {
    // A FIFO without a reader refuses a non-blocking open for writing with ENXIO; a folder
    // of the name of a new file is refused as a folder, not as a file that exists.
    const int failure = errno;
    struct stat st {};
    if (failure == ENXIO ||
        (failure == EEXIST && ::stat(native_.c_str(), &st) == 0 && S_ISDIR(st.st_mode))) {
      return errorOf(err::kPathFileAccess);
    }
    return errorFor(failure, native_);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return errorOf(err::kPathFileAccess);
  }
  handle_ = fd;
  created_ = created && mode != Mode::Create;
  if (created) ::fchmod(fd, kDataMode);
  return {};
}

void File::close() {
  if (handle_ != kClosed) ::close(handle_);
  handle_ = kClosed;
}

Error File::size(std::uint64_t& bytes) const {
  if (!isOpen()) return notOpen();
  struct stat st {};
  if (::fstat(handle_, &st) != 0) return errorFromErrno(errno);
  bytes = static_cast<std::uint64_t>(st.st_size);
  return {};
}

Error File::readAt(std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) const {
  got = 0;
  if (!isOpen()) return notOpen();
  if (injected(faults::Op::Read)) return errorFromErrno(errno);
  while (got < length) {
    const ssize_t n =
        ::pread(handle_, buffer + got, length - got, static_cast<off_t>(offset + got));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errorFromErrno(errno);
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return {};
}

Error File::writeAt(std::uint64_t offset, std::string_view bytes) const {
  if (!isOpen()) return notOpen();
  if (!writable_) return errorOf(err::kPermissionDenied);
  return fullWrite(handle_, bytes.data(), bytes.size(), offset, false);
}

Error File::lock(const LockWait& wait) const {
  if (!isOpen()) return notOpen();
  Error error;
  const auto attempt = [&] {
    if (::flock(handle_, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno == EWOULDBLOCK || errno == EINTR) return false;
    error = errorFromErrno(errno);
    return true;
  };
  if (attempt() || wait(attempt)) return error;
  return errorOf(err::kPermissionDenied);
}

Error File::lockLatest(const LockWait& wait) {
  for (;;) {
    if (Error error = lock(wait)) return error;
    struct stat st {};
    if (::fstat(handle_, &st) != 0) {
      Error error = errorFromErrno(errno);
      unlock();
      return error;
    }
    if (st.st_nlink != 0) return {};
    // The removal replaced the file while this handle waited: lock the new one.
    const std::string name = native_;
    if (Error error = open(name, Mode::Append)) return error;
  }
}

void File::unlock() const {
  if (isOpen()) ::flock(handle_, LOCK_UN);
}

Error File::appendLocked(std::string_view record, std::int64_t& number) const {
  if (!isOpen()) return notOpen();
  if (!writable_) return errorOf(err::kPermissionDenied);
  struct stat st {};
  if (::fstat(handle_, &st) != 0) return errorFromErrno(errno);
  const std::size_t torn = static_cast<std::size_t>(st.st_size) % kRecordSize;
  std::string bytes(torn == 0 ? 0 : kRecordSize - torn, '\0');
  bytes += record;
  Error error = fullWrite(handle_, bytes.data(), bytes.size(), 0, true);
  number = static_cast<std::int64_t>((static_cast<std::size_t>(st.st_size) + bytes.size()) /
                                     kRecordSize);
  return error;
}

Error File::sync() const {
  if (!isOpen()) return notOpen();
  if (injected(faults::Op::Sync) || ::fsync(handle_) != 0) return errorFromErrno(errno);
  // Some file systems refuse a folder sync; the data itself is safe.
  if (created_) syncFolderOf(native_);
  return {};
}

std::string cp1252FromNative(std::string_view native) {
  return cp1252FromUtf8(native);
}

std::string dataFileName(std::string_view folder, std::string_view suffix) {
  const std::string part(suffix.substr(1));  // the suffix brings its separator
  return std::string(folder) + '/' + findIgnoringCase(std::string(folder), part);
}

std::vector<std::string> spellingsIn(std::string_view folder, std::string_view suffix) {
  std::vector<std::string> names = spellingsOf(std::string(folder), std::string(suffix.substr(1)));
  for (std::string& name : names) name = cp1252FromUtf8(name);
  return names;
}

Error replaceFile(File& /*locked*/, std::string_view name, std::string_view bytes) {
  const std::string native(name);
  const std::string beside = native + ".nuovo";
  Error error = writeAfresh(beside, bytes);
  if (!error && (injected(faults::Op::Delete) || ::rename(beside.c_str(), native.c_str()) != 0)) {
    error = errorFor(errno, native);
  }
  if (error) {
    ::unlink(beside.c_str());
    return error;
  }
  syncFolderOf(native);  // the new file is in place; a folder that refuses a sync keeps it
  return {};
}

Error File::syncFolder() const {
  if (!isOpen()) return notOpen();
  if (injected(faults::Op::Sync)) return errorFromErrno(errno);
  return syncFolderOf(native_);
}

Error deleteFile(std::string_view name) {
  const std::string native(name);
  if (injected(faults::Op::Delete) || ::unlink(native.c_str()) != 0) return errorFor(errno, native);
  return {};
}

Error renameFile(std::string_view from, std::string_view to) {
  const std::string native(to);
  if (injected(faults::Op::Delete) || ::rename(std::string(from).c_str(), native.c_str()) != 0) {
    return errorFor(errno, native);
  }
  return {};
}

bool isFolder(std::string_view name) {
  struct stat st {};
  return ::stat(std::string(name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Error makeFolder(std::string_view name) {
  const std::string native(name);
  if (::mkdir(native.c_str(), 0770) != 0 || ::chmod(native.c_str(), 0770) != 0) {
    return errorFor(errno, native);
  }
  return {};
}

Error setHiddenOnly(std::string_view name) {
  const std::string native(name);
  if (injected(faults::Op::Attributes) ||
      ::setxattr(native.c_str(), kDosAttrib, kHidden, sizeof kHidden - 1, 0) != 0) {
    if (errno == ENOTSUP) return exists(native) ? Error{} : errorFor(ENOENT, native);
    return errorFor(errno, native);
  }
  return {};
}

Error clearAttributes(std::string_view name) {
  const std::string native(name);
  if (injected(faults::Op::Attributes) || ::removexattr(native.c_str(), kDosAttrib) != 0) {
    if (errno == ENODATA || errno == ENOTSUP) {
      return exists(native) ? Error{} : errorFor(ENOENT, native);
    }
    return errorFor(errno, native);
  }
  return {};
}

bool isHidden(std::string_view name) {
  char value[64] = {};
  const ssize_t n = ::getxattr(std::string(name).c_str(), kDosAttrib, value, sizeof value - 1);
  // Samba's binary form also begins with the attributes as "0x..." text.
  if (n < 3 || value[0] != '0' || value[1] != 'x') return false;
  return (std::strtoul(value + 2, nullptr, 16) & 0x2u) != 0;
}

}  // namespace kov
