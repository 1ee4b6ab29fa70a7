// Files opened for one operation: a handle that closes itself. Every name is a
// Windows-1252 name in the program's own form ("\" between folders); see nativeName.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "error.h"

namespace kov {

class File {
 public:
  enum class Mode {
    Read,    // reading only; a missing file is error 53
    Update,  // reading and writing in place; a missing file is created empty, and a file
             // that may only be read is opened for reading (a write then fails with 70)
    Append,  // writing at the end; a missing file is created empty
    Create,  // reading and writing a new file: a file or a link of that name is error 58;
             // its folder entry is synced by syncFolder, not by sync
  };

  File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() { close(); }

  // A name holding a NUL is error 52; anything but a regular file (a folder, a FIFO, a
  // device) is error 75, refused before any read or write could wait on it.
  Error open(std::string_view name, Mode mode);
  bool isOpen() const { return handle_ != kClosed; }
  void close();

  // Every operation on a handle that is not open fails with error 52.
  Error size(std::uint64_t& bytes) const;
  // Reads up to `length` bytes at `offset`; `got` is less than `length` at the end.
  Error readAt(std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) const;
  Error writeAt(std::uint64_t offset, std::string_view bytes) const;
  // Appends one 256-byte record in a single write. When an earlier write was torn (the
  // size is not a multiple of 256) the same write first fills the torn record with NULs,
  // so the new record starts on a record boundary. Writers in other processes are held
  // off for the length of the write.
  Error appendRecord(std::string_view record) const;
  // Flushes the data to the disk; when this handle created a data file, its folder entry
  // too, as far as the file system allows.
  Error sync() const;
  // Flushes the folder entry of the file: a new file is on the disk only once it is there.
  Error syncFolder() const;

 private:
#ifdef _WIN32
  using Handle = void*;
  static inline Handle const kClosed = reinterpret_cast<Handle>(-1);  // NOLINT
#else
  using Handle = int;
  static constexpr Handle kClosed = -1;
#endif
  Handle handle_ = kClosed;
  bool created_ = false;
  bool writable_ = false;
  std::string native_;
};

// The native name of a program name. On Linux "\" and "/" both separate folders and a
// part that does not exist as spelt is matched to an existing one without regard to
// letter case, as on Windows. On Windows the name is used as it stands.
std::string nativeName(std::string_view name);

Error deleteFile(std::string_view name);
// Attributes as Windows keeps them; on Linux the hidden attribute is the Samba
// "user.DOSATTRIB" extended attribute, silently skipped where the file system has none.
Error setHiddenOnly(std::string_view name);
Error clearAttributes(std::string_view name);
bool isHidden(std::string_view name);

}  // namespace kov
