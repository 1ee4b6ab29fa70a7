#include "new_file.h"

namespace kov {
namespace {

std::string besideOf(const std::string& name) {
  return name + ".parziale";
}

}  // namespace

NewFile::~NewFile() {
  if (!file_.isOpen()) return;
  file_.close();
  deleteFile(besideOf(name_));
}

Error NewFile::open(std::string_view name) {
  name_ = std::string(name);
  size_ = 0;
  return createAfresh(besideOf(name_), file_);  // a crashed run's leftover goes first
}

Error NewFile::write(std::string_view bytes) {
  Error error = file_.writeAt(size_, bytes);
  size_ += bytes.size();
  return error;
}

Error NewFile::finish() {
  Error error = file_.sync();
  if (!error) error = renameFile(besideOf(name_), name_);
  if (!error) error = file_.syncFolder();
  if (!error) file_.close();  // in place: nothing left to remove
  return error;
}

}  // namespace kov
