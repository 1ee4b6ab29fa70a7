#include <windows.h>

#include "faults.h"
#include "file.h"

namespace kov {
namespace {

constexpr std::size_t kRecordSize = 256;

Error notOpen() {
  return errorOf(err::kBadFileNumber);
}

Error lastError() {
  switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
      return errorOf(err::kFileNotFound);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return errorOf(err::kPathNotFound);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return errorOf(err::kPermissionDenied);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return errorOf(err::kFileExists);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return errorOf(err::kDiskFull);
    case ERROR_TOO_MANY_OPEN_FILES:
      return errorOf(err::kTooManyFiles);
    case ERROR_INVALID_HANDLE:
      return errorOf(err::kBadFileNumber);
    default:
      return errorOf(err::kPathFileAccess);
  }
}

bool injected(faults::Op op, Error& error) {
  int errnoValue = 0;
  if (!faults::hit(op, errnoValue)) return false;
  error = errorFromErrno(errnoValue);
  return true;
}

Error writeAll(HANDLE handle, const char* data, std::size_t length, OVERLAPPED* where) {
  Error error;
  if (injected(faults::Op::Write, error)) return error;
  DWORD written = 0;
  if (!::WriteFile(handle, data, static_cast<DWORD>(length), &written, where) ||
      written != length) {
    return lastError();
  }
  return {};
}

constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE openExisting(const std::string& native, DWORD access) {
  return ::CreateFileA(native.c_str(), access, kShare, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Creates `native` new: an existing file or a link of that name is refused, never followed, so
// nothing is ever written through one.
HANDLE createNew(const std::string& native, DWORD access) {
  return ::CreateFileA(native.c_str(), access, kShare, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Creates a missing `native` new. A link that points nowhere is refused: following it would
// create a file wherever it points.
HANDLE openOrCreate(const std::string& native, DWORD access, bool& created) {
  if (::GetLastError() != ERROR_FILE_NOT_FOUND) return INVALID_HANDLE_VALUE;
  HANDLE handle = createNew(native, access);
  created = handle != INVALID_HANDLE_VALUE;
  if (created || ::GetLastError() != ERROR_FILE_EXISTS) return handle;
  handle = openExisting(native, access);  // created meanwhile by another copy of the program
  if (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_NOT_FOUND) {
    ::SetLastError(ERROR_CANT_RESOLVE_FILENAME);
  }
  return handle;
}

OVERLAPPED at(std::uint64_t offset) {
  OVERLAPPED where{};
  where.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  where.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return where;
}

}  // namespace

std::string nativeName(std::string_view name) {
  return std::string(name);
}

Error File::open(std::string_view name, Mode mode) {
  close();
  // The system call would stop at the NUL and open another file.
  if (name.find('\0') != std::string_view::npos) return errorOf(err::kBadFileNumber);
  native_ = std::string(name);
  Error error;
  if (injected(faults::Op::Open, error)) return error;
  DWORD access = GENERIC_READ;
  if (mode == Mode::Update || mode == Mode::Create) access = GENERIC_READ | GENERIC_WRITE;
  if (mode == Mode::Append) access = FILE_READ_DATA | FILE_APPEND_DATA | SYNCHRONIZE;
  bool created = false;
  HANDLE handle = INVALID_HANDLE_VALUE;
  if (mode == Mode::Create) {
    handle = createNew(native_, access);
    created = handle != INVALID_HANDLE_VALUE;
  } else {
    handle = openExisting(native_, access);
    if (handle == INVALID_HANDLE_VALUE && mode != Mode::Read) {
      handle = openOrCreate(native_, access, created);
    }
  }
  writable_ = mode != Mode::Read;
  if (handle == INVALID_HANDLE_VALUE && mode == Mode::Update &&
      ::GetLastError() == ERROR_ACCESS_DENIED) {
    writable_ = false;
    handle = openExisting(native_, GENERIC_READ);
  }
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD attributes = ::GetFileAttributesA(native_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return errorOf(err::kPathFileAccess);
    }
    return lastError();
  }
  created_ = created && mode != Mode::Create;
  // A device (NUL, CON, COM1) or a pipe is not a data file.
  if (::GetFileType(handle) != FILE_TYPE_DISK) {
    ::CloseHandle(handle);
    return errorOf(err::kPathFileAccess);
  }
  handle_ = handle;
  return {};
}

void File::close() {
  if (handle_ != kClosed) ::CloseHandle(handle_);
  handle_ = kClosed;
}

Error File::size(std::uint64_t& bytes) const {
  if (!isOpen()) return notOpen();
  LARGE_INTEGER value{};
  if (!::GetFileSizeEx(handle_, &value)) return lastError();
  bytes = static_cast<std::uint64_t>(value.QuadPart);
  return {};
}

Error File::readAt(std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) const {
  got = 0;
  if (!isOpen()) return notOpen();
  Error error;
  if (injected(faults::Op::Read, error)) return error;
  OVERLAPPED where = at(offset);
  DWORD read = 0;
  if (!::ReadFile(handle_, buffer, static_cast<DWORD>(length), &read, &where) &&
      ::GetLastError() != ERROR_HANDLE_EOF) {
    return lastError();
  }
  got = read;
  return {};
}

Error File::writeAt(std::uint64_t offset, std::string_view bytes) const {
  if (!isOpen()) return notOpen();
  if (!writable_) return errorOf(err::kPermissionDenied);
  OVERLAPPED where = at(offset);
  return writeAll(handle_, bytes.data(), bytes.size(), &where);
}

Error File::lock(const LockWait& wait) const {
  if (!isOpen()) return notOpen();
  Error error;
  const auto attempt = [&] {
    OVERLAPPED whole{};
    if (::LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                     MAXDWORD, &whole)) {
      return true;
    }
    if (::GetLastError() == ERROR_LOCK_VIOLATION) return false;
    error = lastError();
    return true;
  };
  if (attempt() || wait(attempt)) return error;
  return errorOf(err::kPermissionDenied);
}

Error File::lockLatest(const LockWait& wait) {
  for (;;) {
    if (Error error = lock(wait)) return error;
    FILE_STANDARD_INFO info{};
    if (!::GetFileInformationByHandleEx(handle_, FileStandardInfo, &info, sizeof info) ||
        !info.DeletePending) {
      return {};
    }
    // The removal replaced the file while this handle waited: lock the new one.
    unlock();
    const std::string name = native_;
    if (Error error = open(name, Mode::Append)) return error;
  }
}

void File::unlock() const {
  if (!isOpen()) return;
  OVERLAPPED whole{};
  ::UnlockFileEx(handle_, 0, MAXDWORD, MAXDWORD, &whole);
}

Error File::appendLocked(std::string_view record, std::int64_t& number) const {
  if (!isOpen()) return notOpen();
  if (!writable_) return errorOf(err::kPermissionDenied);
  std::uint64_t bytes = 0;
  if (Error error = size(bytes)) return error;
  const std::size_t torn = bytes % kRecordSize;
  std::string data(torn == 0 ? 0 : kRecordSize - torn, '\0');
  data += record;
  Error error = writeAll(handle_, data.data(), data.size(), nullptr);
  number = static_cast<std::int64_t>((bytes + data.size()) / kRecordSize);
  return error;
}

Error File::sync() const {
  if (!isOpen()) return notOpen();
  Error error;
  if (injected(faults::Op::Sync, error)) return error;
  if (!::FlushFileBuffers(handle_)) return lastError();
  return {};
}

std::string cp1252FromNative(std::string_view native) {
  return std::string(native);  // the "A" functions' names are in the system's code page
}

std::string dataFileName(std::string_view folder, std::string_view suffix) {
  return std::string(folder) + std::string(suffix);  // Windows matches letter case itself
}

std::vector<std::string> spellingsIn(std::string_view /*folder*/, std::string_view /*suffix*/) {
  return {};
}

Error replaceFile(File& locked, std::string_view name, std::string_view bytes) {
  const std::string native(name);
  const std::string beside = native + ".nuovo";
  Error error = writeAfresh(beside, bytes);
  if (!error) locked.close();
  if (!error && !injected(faults::Op::Delete, error) &&
      !::MoveFileExA(beside.c_str(), native.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = lastError();
  }
  if (error) ::DeleteFileA(beside.c_str());
  return error;
}

// Windows gives a program no flush of a folder: the file's own flush is all there is.
Error File::syncFolder() const {
  if (!isOpen()) return notOpen();
  Error error;
  if (injected(faults::Op::Sync, error)) return error;
  return {};
}

Error deleteFile(std::string_view name) {
  Error error;
  if (injected(faults::Op::Delete, error)) return error;
  const std::string native(name);
  if (::DeleteFileA(native.c_str())) return {};
  // A folder is refused as a folder, as File::open refuses it, not as a denied access.
  const DWORD attributes = ::GetFileAttributesA(native.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return errorOf(err::kPathFileAccess);
  }
  return lastError();
}

Error renameFile(std::string_view from, std::string_view to) {
  Error error;
  if (injected(faults::Op::Delete, error)) return error;
  if (!::MoveFileExA(std::string(from).c_str(), std::string(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return lastError();
  }
  return {};
}

bool isFolder(std::string_view name) {
  const DWORD attributes = ::GetFileAttributesA(std::string(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

Error makeFolder(std::string_view name) {
  if (!::CreateDirectoryA(std::string(name).c_str(), nullptr)) return lastError();
  return {};
}

Error setHiddenOnly(std::string_view name) {
  Error error;
  if (injected(faults::Op::Attributes, error)) return error;
  if (!::SetFileAttributesA(std::string(name).c_str(), FILE_ATTRIBUTE_HIDDEN)) return lastError();
  return {};
}

Error clearAttributes(std::string_view name) {
  Error error;
  if (injected(faults::Op::Attributes, error)) return error;
  if (!::SetFileAttributesA(std::string(name).c_str(), FILE_ATTRIBUTE_NORMAL)) return lastError();
  return {};
}

bool isHidden(std::string_view name) {
  const DWORD attributes = ::GetFileAttributesA(std::string(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

}  // namespace kov
