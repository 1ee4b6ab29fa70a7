// Files opened for one operation: a handle that closes itself. Names are native, as the
// operating system spells them: the program folder is used exactly as it is named, and only a
// name the user typed (the report folder and file) goes through nativeName first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "error.h"

namespace kov {

// Paces the attempts at a lock that another process holds, so that nobody waits for it without
// limit: calls `attempt` again and again until it returns true, and says whether it did before
// giving up.
using LockWait = std::function<bool(const std::function<bool()>& attempt)>;

class File {
 public:
  enum class Mode {
    Read,    // reading only; a missing file is error 53
    Update,  // reading and writing in place; a missing file is created empty, and a file
             // that may only be read is opened for reading (a write then fails with 70)
    Append,  // writing at the end, and reading; a missing file is created empty
    Create,  // reading and writing a new file: a file or a link of that name is error 58;
             // its folder entry is synced by syncFolder, not by sync
  };

  File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() { close(); }

  // A name holding a NUL is error 52; anything but a regular file (a folder, a FIFO, a
  // device) is error 75, refused before any read or write could wait on it. A file is always
  // created new, never through a file or a link of its name: Update and Append open an
  // existing file as it is, and refuse a link that points nowhere (error 75) rather than
  // create the file it points to.
  Error open(std::string_view name, Mode mode);
  bool isOpen() const { return handle_ != kClosed; }
  void close();

  // Every operation on a handle that is not open fails with error 52.
  Error size(std::uint64_t& bytes) const;
  // Reads up to `length` bytes at `offset`; `got` is less than `length` at the end.
  Error readAt(std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) const;
  Error writeAt(std::uint64_t offset, std::string_view bytes) const;
  // Takes the lock that every writer and the removal of the recordings file take. While
  // another process holds it, it is asked for
  // again as `wait` paces it; when `wait` gives up, error 70, as the system reports a file
  // locked by another program. Kept until unlock or close.
  Error lock(const LockWait& wait) const;
  // Takes that lock on the file that now bears the name: when the file this handle opened
  // has been removed or replaced meanwhile, the handle opens the new one for appending
  // (creating it when missing) and takes its lock again.
  Error lockLatest(const LockWait& wait);
  void unlock() const;
  // Appends one 256-byte record in a single write; the caller holds lockLatest. When an
  // earlier write was torn (the size is not a multiple of 256) the same write first fills
  // the torn record with NULs, so the new record starts on a record boundary. `number`
  // receives the record's number, which is also the count of records the file then holds.
  Error appendLocked(std::string_view record, std::int64_t& number) const;
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

// The native name of a name in the program's own form (Windows-1252, "\" between folders),
// as the user types the report folder. On Linux "\" and "/" both separate folders and a part
// that does not exist as spelt is matched to an existing one without regard to letter case,
// as on Windows. On Windows the name is used as it stands.
std::string nativeName(std::string_view name);

// A native name in the program's own form, Windows-1252, as its texts hold names.
std::string cp1252FromNative(std::string_view native);

// The data file `suffix` ("\KoV", "\OdV", ...) of the program folder `folder` (native).
// Letter case does not count, as on Windows: where the folder holds the name in several
// spellings, every caller gets the same one, the first in byte order; where it holds none,
// the suffix's own spelling. The running program's own file ("kov") is never a data file.
std::string dataFileName(std::string_view folder, std::string_view suffix);
// The spellings of `suffix` that `folder` holds, in Windows-1252, the one dataFileName chooses
// first. On Windows a folder holds one spelling at most and none is listed.
std::vector<std::string> spellingsIn(std::string_view folder, std::string_view suffix);

// Replaces the file `name` in one step by a new file holding `bytes`, readable and writable
// by owner and group only and hidden: written beside it and synced, renamed over it, then the
// folder synced. The file beside it is written as writeAfresh writes it. `locked` is the old
// file, opened and locked by the caller so that no writer appends to it meanwhile; a writer
// waiting for that lock then writes into the new file. Windows renames nothing over an open
// file: there `locked` is closed just before the rename.
Error replaceFile(File& locked, std::string_view name, std::string_view bytes);

// Opens `name` created new (Mode::Create) after removing by name whatever holds it (a file, or
// a link, whose target stays as it is). A folder there is error 75.
Error createAfresh(std::string_view name, File& file);

// Writes `bytes` into `name` created as createAfresh creates it (a name of the program's own,
// where a run stopped before its end may have left its file), hidden, and syncs it to the disk.
Error writeAfresh(std::string_view name, std::string_view bytes);

Error deleteFile(std::string_view name);
// Renames `from` over `to` in one step; whatever `to` named (a file, a link) is replaced.
Error renameFile(std::string_view from, std::string_view to);

// True when `name` (native) is a folder, or a link to one.
bool isFolder(std::string_view name);
// Creates the folder `name` (native) one level: on Linux readable, writable and searchable by
// owner and group only, whatever the umask, as the files the program creates.
Error makeFolder(std::string_view name);
// Creates the folder `name` (native) and every missing folder on the way to it, as
// makeFolder does; nothing when it is a folder already.
Error createFolders(std::string_view name);

// Attributes as Windows keeps them; on Linux the hidden attribute is the Samba
// "user.DOSATTRIB" extended attribute, silently skipped where the file system has none.
Error setHiddenOnly(std::string_view name);
Error clearAttributes(std::string_view name);
bool isHidden(std::string_view name);

}  // namespace kov
