// The texts of the report period and of the report generation, in Windows-1252, exactly
// as the program shows or writes them (trailing and double blanks included).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/cp1252.h"

namespace kov::report_text {

// The ten characters of a date box nothing has been typed in.
inline constexpr std::string_view kEmptyDate = "  /  /    ";

inline constexpr std::string_view kPeriodOrder =
    "La Data di Fine del periodo deve essere superiore alla data di Inizio periodo";
inline constexpr std::string_view kNoPeriod = "Occorre impostare il periodo da Esportare";

// The ready-made periods offered beside the date boxes.
inline constexpr std::string_view kLastMonth = "Mese scorso";
inline constexpr std::string_view kThisMonth = "Questo mese";
inline constexpr std::string_view kLastYear = "Anno scorso";
// The button beside a date box that drops them down with a calendar.
inline constexpr std::string_view kPickerName = "Calendario";
inline constexpr std::string_view kPickerTip =
    "Apre il calendario e i periodi pronti (tasto F4 o Alt+Freccia giù)"_cp;

// The texts of the report run. Windows-1252, as shown.
inline constexpr std::string_view kNothingFound =
    "Non sono state trovate scritture per il periodo selezionato";
inline constexpr std::string_view kDeleted = "Il File delle scritture è stato Eliminato"_cp;
inline constexpr std::string_view kNotDeleted =
    "Il File delle operazioni non è stato Eliminato in quanto ci sono scritture ancora da "
    "rilevare"_cp;
inline constexpr std::string_view kKeptDamaged =
    "Il File delle operazioni non è stato Eliminato in quanto contiene righe danneggiate: "
    "viene conservato per poterle recuperare"_cp;
inline constexpr std::string_view kKeptBusy =
    "Il File delle operazioni non è stato Eliminato in quanto è in uso da un altro programma: "
    "ripetere la generazione tra qualche istante per eliminarlo"_cp;
inline constexpr std::string_view kRemovedEntry =
    "Rimosso il file delle operazioni eseguite dell'Amministratore di Sistema";

// "La riga <n> del file delle rilevazioni risulta corrotta.Verrà pertanto scartata."
inline std::string damagedRecord(std::int64_t number) {
  return "La riga <" + std::to_string(number) +
         std::string("> del file delle rilevazioni risulta corrotta.Verrà pertanto scartata."_cp);
}

// The count is preceded by a space of its own after the "n. " and the "n.<".
inline std::string entriesFound(std::int64_t count, std::string_view report) {
  return "Sono state rilevate n.  " + std::to_string(count) + " scritture in " +
         std::string(report);
}
inline std::string entriesLeft(std::int64_t count) {
  return "Attenzione, Ci sono ancora n.< " + std::to_string(count) + "> scritture da rilevare";
}

// More records than the 16-bit record numbers of earlier versions reach.
inline std::string overClassicLimit(std::int64_t records) {
  return "Il file delle rilevazioni contiene n. " + std::to_string(records) +
         std::string(
             " scritture: le versioni precedenti della procedura ne leggono al massimo 32767. "
             "Si consiglia di rimuoverlo con l'opzione \"Rimuovi i Report esistenti\" "
             "appena non ci sono più scritture da rilevare."_cp);
}
// More records than the program can have written: the file is not read.
inline std::string tooLarge(std::int64_t records) {
  return "Il file delle rilevazioni contiene n. " + std::to_string(records) +
         std::string(
             " righe, più di quante la procedura ne possa aver scritte (al massimo "
             "4194304): il file non è stato letto né modificato."_cp);
}

// After the error of a report whose folder does not exist: what to do about it.
inline std::string folderMissing(std::string_view folder) {
  return "La cartella dei report " + std::string(folder) +
         " non esiste: l'Amministratore di Sistema deve impostarla in \"Path File Report\" con "
         "\"Varia Password\", che propone di crearla.";
}

inline std::string reportExists(std::string_view report) {
  return std::string("Esiste già un report con il nome "_cp) + std::string(report) +
         ": attendere il minuto successivo e ripetere la generazione";
}

// The entry logged for a report; `from` and `to` as the date boxes show them.
inline std::string reportCreated(std::string_view from, std::string_view to) {
  return "Creato il file delle operazioni dell'Amministratore di Sistema dal " + std::string(from) +
         " al " + std::string(to);
}

// The system log's line for a report run.
inline std::string reportRun(std::string_view from, std::string_view to, std::int64_t copied,
                             std::string_view report, std::int64_t unreported, bool removed) {
  return "Report dal " + std::string(from) + " al " + std::string(to) + ": n. " +
         std::to_string(copied) + " scritture copiate in " + std::string(report) + ", n. " +
         std::to_string(unreported) + " ancora da rilevare" +
         (removed ? ", file delle operazioni rimosso" : "");
}

// Record 1 of every report file.
inline constexpr std::string_view kHeading =
    "|DT Evento |Ora     |WorkStation   |Account Utente      |Descrizione";

}  // namespace kov::report_text
