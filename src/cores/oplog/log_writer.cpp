#include "log_writer.h"

#include "copy_chain.h"
#include "cores/credentials/scramble.h"
#include "entry.h"
#include "runtime/records.h"

namespace kov {

bool entryRecord(Platform& platform, Kov_Par& par, std::string_view entry) {
  Cripta_Decripta(platform, "C", entry, par.Riga_Record);
  if (par.Riga_Record.empty()) return false;
  par.Riga_Record = recordOf(par.Riga_Record);
  return true;
}

Appended appendEntry(Platform& platform, Kov_Par& par, std::string_view entry,
                     std::int64_t& records) {
  par.File_Rilevazioni = dataFileName(platform.programFolder(), kRecordingsFile);
  records = -1;
  if (!entryRecord(platform, par, entry)) return Appended::Refused;

  const auto trap = [&](const Error& error) {
    if (error) showTrappedError(platform, "Scrive_Riga_di_Log", error);
    return static_cast<bool>(error);
  };
  File file;
  std::int64_t number = -1;
  bool held = false;
  trap(file.open(par.File_Rilevazioni, File::Mode::Append));
  Error appended = file.lockLatest(recordingsLockWait(platform, held));
  if (held) return Appended::Busy;
  if (!appended) appended = file.appendLocked(par.Riga_Record, number);
  // A record written and not synced is in the file all the same: it is counted and copied.
  records = appended ? -1 : number;
  const Error synced = file.isOpen() ? file.sync() : Error{};
  Delivery delivery = Delivery::Delivered;
  if (records > 0) {
    delivery = chainAndSend(platform, file, systemLogCopy(entry, records),
                            AppendedRecord{par.Riga_Record, records});
  }
  // Nothing is shown while the lock is held: another copy of the program may be waiting.
  file.close();
  trap(appended);
  trap(synced);
  tellDelivery(platform, delivery);
  return Appended::Done;
}

bool countRecordings(std::string_view name, std::int64_t& records) {
  File file;
  records = 0;
  const Error error = file.open(name, File::Mode::Read);
  return error.number == err::kFileNotFound || (!error && !countRecords(file, records));
}

}  // namespace kov
