#include "record_io.h"

#include "cores/shared/kov_par.h"
#include "runtime/records.h"

namespace kov {

bool Rw_Record(Platform& platform, const std::string& NomeFile, std::int16_t& Rw, std::int16_t Rec,
               std::string& Riga_rec) {
  bool done = true;
  const auto trap = [&](const Error& error) {
    if (!error) return;
    done = false;
    showTrappedError(platform, "Rw_Record", error);
  };
  File file;
  trap(file.open(NomeFile, File::Mode::Update));
  if (Rw != 0) {
    trap(writeRecord(file, Rec, Riga_rec));
    // A record that is not on the disk is not stored: the sync is part of the write.
    if (file.isOpen()) trap(file.sync());
  } else {
    bool complete = false;
    std::string record;
    const Error error = readRecord(file, Rec, record, complete);
    trap(error);
    if (complete) {
      Riga_rec = std::move(record);
    } else {
      Rw = kRecordNotRead;
    }
  }
  return done;
}

}  // namespace kov
