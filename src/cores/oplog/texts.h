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

// Closing the window with a comment typed and not saved.
inline std::string unsavedComment(std::string_view comment) {
  return std::string("Il commento scritto non è stato salvato nel file delle operazioni:"_cp) +
         "\n\r" + std::string(comment) +
         std::string("\n\rChiudere comunque KoV? Il commento andrà perso."_cp);
}

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

// The copies of what the recordings file does not record.
inline constexpr std::string_view kAdministratorRole = "Amministratore di Sistema";
inline constexpr std::string_view kControllerRole = "Titolare del Trattamento";
inline std::string signInRefused(bool unknownAccount, std::string_view account,
                                 std::string_view role) {
  return std::string(unknownAccount ? "Accesso rifiutato, account sconosciuto: "
                                    : "Accesso rifiutato, password errata per l'account: ") +
         std::string(account) + " (" + std::string(role) + ")";
}
inline std::string parametersChanged(std::string_view account) {
  return "Parametri della postazione variati dall'account " + std::string(account);
}

// The first copy after the chain's state was found missing: from an empty recordings file
// at the first start, from the records the file holds when the state was lost.
inline std::string chainStarted(std::int64_t records) {
  if (records == 0) return "Inizio della catena delle copie";
  return "Catena delle copie ricominciata senza il suo stato: n. " + std::to_string(records) +
         " scritture nel file delle operazioni";
}

inline constexpr std::string_view kCopiesWaiting =
    "Il registro di sistema non accetta le copie delle operazioni: le copie restano in attesa "
    "nella cartella del programma e saranno inviate, nel loro ordine, appena il registro le "
    "accetterà. Le scritture sono registrate regolarmente."_cp;
inline constexpr std::string_view kCopyRefused =
    "La coda delle copie in attesa per il registro di sistema è piena: la copia di questa "
    "operazione non è stata conservata. La scrittura è stata registrata regolarmente."_cp;

}  // namespace kov::oplog_text
