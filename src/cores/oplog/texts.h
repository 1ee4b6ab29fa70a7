// The texts of the operations log: the proposed wordings of the planned operations, and the
// messages about saving an entry. Windows-1252, exactly as shown and stored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/cp1252.h"

namespace kov::oplog_text {

// The proposed wordings; `today` in the workstation's short date form.
inline std::string backupChecked(std::string_view today) {
  return "Verificato le operazioni di BackUp. Ultimo Salvataggio del " + std::string(today);
}
inline std::string databaseRestored(std::string_view today) {
  return "Eseguito ripristo del Data Base come da verbale del " + std::string(today);
}
inline constexpr std::string_view kCredentialsChecked =
    "Verificato e aggiornato elenco delle credenziali di accesso alla Rete";

// An entry not written because another program held the recordings file; the comment stays.
inline constexpr std::string_view kRecordingsBusy =
    "Il file delle rilevazioni è in uso da un altro programma: la scrittura non è stata "
    "salvata. Riprovare tra qualche istante."_cp;

inline constexpr std::string_view kCommentMissing = "Occorre commentare l'operazione eseguita";

// The confirmation of a saved entry: this wording, the heading, then the entry's display line,
// each on a line of its own (LF CR).
inline constexpr std::string_view kSaved =
    "Il seguente messaggio è stato salvato nel file di log dell'Amministratore di Sistema "_cp;
inline constexpr std::string_view kSavedHeading =
    "|DT Evento  |Ora        |WorkStation |Account Utente      |Descrizione";

// The system log's line for an entry, record `record` of the recordings file.
inline std::string copiedEntry(std::int64_t record, std::string_view displayLine) {
  return "Scrittura n. " + std::to_string(record) +
         " del file delle operazioni: " + std::string(displayLine);
}

}  // namespace kov::oplog_text
