// A file written whole beside its name and then put in its place in one step, for files a
// user names (an export). Whatever the name held (a file, a link) is replaced, never written
// through; a file not finished leaves nothing behind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "file.h"

namespace kov {

class NewFile {
 public:
  NewFile() = default;
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile();  // a file not finished is removed

  // Creates `name` (native) followed by ".parziale" as createAfresh does: whatever a crashed
  // run left there is removed by name first.
  Error open(std::string_view name);
  Error write(std::string_view bytes);
  // Syncs the file, renames it over `name` and syncs the folder.
  Error finish();

 private:
  File file_;
  std::string name_;
  std::uint64_t size_ = 0;
};

}  // namespace kov
