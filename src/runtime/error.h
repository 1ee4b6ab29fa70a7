// Run-time errors: a number and an Italian description, with the classic numbers.
#pragma once

#include <string>

namespace kov {

struct Error {
  int number = 0;           // 0: no error
  std::string description;  // Windows-1252

  explicit operator bool() const { return number != 0; }
};

namespace err {
inline constexpr int kInvalidArgument = 5;
inline constexpr int kBadFileNumber = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kDeviceIo = 57;
inline constexpr int kFileExists = 58;
inline constexpr int kDiskFull = 61;
inline constexpr int kTooManyFiles = 67;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kInvalidPropertyValue = 380;
}  // namespace err

// The error of that number, with its description.
Error errorOf(int number);

// The error that an operating-system failure (errno) stands for. `parentExists` tells a
// missing file (53) from a missing folder on the way to it (76).
Error errorFromErrno(int errnoValue, bool parentExists = true);

}  // namespace kov
