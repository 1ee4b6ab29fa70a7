// The texts of the sign-in, of the password dialog and of the main window's password button,
// as the users know them.
#pragma once

#include <string>
#include <string_view>

#include "runtime/cp1252.h"
#include "runtime/error.h"

namespace kov::texts {

// The sign-in.
inline constexpr std::string_view kUnknownUser =
    "L'identificativo non coincide con quello Predefinito";
inline constexpr std::string_view kWrongPassword = "La Password non è corretta"_cp;

// The password dialog: its caption, which its messages carry as their title.
inline constexpr std::string_view kPwKovTitle = "Inserimento Password";
inline constexpr std::string_view kNewPasswordMissing = "Occorre indicare la Password scelta";
inline constexpr std::string_view kCheckPasswordMissing =
    "Occorre impostare la Password di controllo";
inline constexpr std::string_view kPasswordsDiffer =
    "Le due PassWord non sono uguali. Impostarle di nuovo";

// The password button of the main window.
inline constexpr std::string_view kUserMissing = "Occorre indicare il nome dell'utente";
inline constexpr std::string_view kPasswordMissing = "Occorre indicare la Password";
inline constexpr std::string_view kWorkstationMissing = "Indicate il nome della postazione.";
inline constexpr std::string_view kReportNameMissing =
    "Indicare il nome del File di Log Generato dal Titolare del Trattamento";
inline constexpr std::string_view kReportPathMissing =
    "Indicare il Percorso dove generare il file di log per il Titolare del Trattamento";
inline constexpr std::string_view kAdministratorUserMissing =
    "Occorre impostare prima l'identificativo dell'Amministratore di Sistema";
inline constexpr std::string_view kControllerUserMissing =
    "Occorre impostare prima l'identificativo del Titolare del Trattamento";
// What the recordings file says about the button's work.
inline constexpr std::string_view kUserActivated = "Attivato l'Utente nella Procedura";
inline constexpr std::string_view kPasswordChanged = "Variato la Password dell'utente";

// Both the dialog and the first set-up.
inline constexpr std::string_view kSpaceInPassword =
    "All'interno della PassWord non è ammesso il carattere <spazio>"_cp;
inline constexpr std::string_view kPasswordTooShort =
    "La PassWord deve essere di almeno 8 caratteri";

// The report folder of the parameters being saved does not exist: the question, and the
// failure to create it.
inline std::string reportFolderMissing(std::string_view folder) {
  return "La cartella dei report " + std::string(folder) +
         std::string(
             " non esiste.\n\rCrearla adesso? Con No i parametri vengono salvati ugualmente, "
             "ma i report non potranno essere generati finché la cartella non esiste."_cp);
}
inline std::string reportFolderNotCreated(std::string_view folder, const Error& error) {
  return std::string("Non è stato possibile creare la cartella dei report "_cp) +
         std::string(folder) + ":\n\r" + std::to_string(error.number) + '-' + error.description +
         "\n\rI parametri vengono salvati ugualmente.";
}

}  // namespace kov::texts
