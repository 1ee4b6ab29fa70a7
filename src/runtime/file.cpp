#include "file.h"

namespace kov {

Error createAfresh(std::string_view name, File& file) {
  // Removed by name, never opened: a hard link loses this name alone, a symbolic link goes
  // and what it points to stays as it is.
  Error error = deleteFile(name);
  if (error.number == err::kFileNotFound) error = {};
  if (!error) error = file.open(name, File::Mode::Create);
  return error;
}

Error writeAfresh(std::string_view name, std::string_view bytes) {
  File file;
  Error error = createAfresh(name, file);
  if (!error) error = file.writeAt(0, bytes);
  if (!error) error = setHiddenOnly(name);
  if (!error) error = file.sync();
  return error;
}

}  // namespace kov
