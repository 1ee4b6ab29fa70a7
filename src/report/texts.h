// The texts of the report period and of the report generation, in Windows-1252, exactly
// as the program shows or writes them (trailing and double blanks included).
#pragma once

#include <string_view>

#include "shell/runtime/cp1252.h"

namespace kov::report_text {

// The ten characters of a date box nothing has been typed in.
inline constexpr std::string_view kEmptyDate = "  /  /    ";

inline constexpr std::string_view kPeriodOrder =
    "La Data di Fine del periodo deve essere superiore alla data di Inizio periodo";
inline constexpr std::string_view kNoPeriod = "Occorre impostare il periodo da Esportare";

// "La riga <n> del file delle rilevazioni risulta corrotta.Verrà pertanto scartata."
inline constexpr std::string_view kDamagedBefore = "La riga <";
inline constexpr std::string_view kDamagedAfter =
    "> del file delle rilevazioni risulta corrotta.Verrà pertanto scartata."_cp;

inline constexpr std::string_view kNothingFound =
    "Non sono state trovate scritture per il periodo selezionato";
// "Sono state rilevate n. " + " <count>" + " scritture in " + the report's full name
inline constexpr std::string_view kFoundBefore = "Sono state rilevate n. ";
inline constexpr std::string_view kFoundAfter = " scritture in ";
// "Attenzione, Ci sono ancora n.<" + " <count>" + "> scritture da rilevare"
inline constexpr std::string_view kLeftBefore = "Attenzione, Ci sono ancora n.<";
inline constexpr std::string_view kLeftAfter = "> scritture da rilevare";
inline constexpr std::string_view kDeleted = "Il File delle scritture è stato Eliminato"_cp;
inline constexpr std::string_view kNotDeleted =
    "Il File delle operazioni non è stato Eliminato in quanto ci sono scritture ancora da "
    "rilevare"_cp;
// More records than the 16-bit record numbers of earlier versions reach:
// kOverLimitBefore + count + kOverLimitAfter.
inline constexpr std::string_view kOverLimitBefore = "Il file delle rilevazioni contiene n. ";
inline constexpr std::string_view kOverLimitAfter =
    " scritture: le versioni precedenti della procedura ne leggono al massimo 32767. Si "
    "consiglia di rimuoverlo con l'opzione \"Rimuovi i Report esistenti\" appena non ci sono "
    "più scritture da rilevare."_cp;
// A recordings file of more records than the program can have written is not read:
// kOverLimitBefore + count + kTooLargeAfter.
inline constexpr std::string_view kTooLargeAfter =
    " righe, più di quante la procedura ne possa aver scritte (al massimo 4194304): il file "
    "non è stato letto né modificato."_cp;
// "Esiste già un report con il nome " + the report's full name + kExistsAfter
inline constexpr std::string_view kExistsBefore = "Esiste già un report con il nome "_cp;
inline constexpr std::string_view kExistsAfter =
    ": attendere il minuto successivo e ripetere la generazione";
inline constexpr std::string_view kKeptDamaged =
    "Il File delle operazioni non è stato Eliminato in quanto contiene righe danneggiate: "
    "viene conservato per poterle recuperare"_cp;

// The entries logged by the report generation.
inline constexpr std::string_view kCreatedBefore =
    "Creato il file delle operazioni dell'Amministratore di Sistema dal ";
inline constexpr std::string_view kCreatedBetween = " al ";
inline constexpr std::string_view kRemovedEntry =
    "Rimosso il file delle operazioni eseguite dell'Amministratore di Sistema";

// Record 1 of every report file.
inline constexpr std::string_view kHeading =
    "|DT Evento |Ora     |WorkStation   |Account Utente      |Descrizione";

}  // namespace kov::report_text
