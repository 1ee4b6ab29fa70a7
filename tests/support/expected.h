// Expected bytes and wordings built in the tests themselves, independently of the program.
#pragma once

#include <string>

namespace kov::test {

inline const std::string kCaption = "Log Accessi Amministratore - Versione 020000 del 01/02/2011";
inline const std::string kBackup =
    "Verificato le operazioni di BackUp. Ultimo Salvataggio del 04/12/2026";
inline const std::string kActivated = "Attivato l'Utente nella Procedura";
inline const std::string kChanged = "Variato la Password dell'utente";
inline const std::string kCreated =
    "Creato il file delle operazioni dell'Amministratore di Sistema dal 01/12/2026 al 31/12/2026";
inline const std::string kRemoved =
    "Rimosso il file delle operazioni eseguite dell'Amministratore di Sistema";
inline const std::string kNotDeleted =
    "Il File delle operazioni non \xE8 stato Eliminato in quanto ci sono scritture ancora da "
    "rilevare";
inline const std::string kWorkstation = "Indicate il nome della postazione.";
inline const std::string kSpace =
    "All'interno della PassWord non \xE8 ammesso il carattere <spazio>";
inline const std::string kShort = "La PassWord deve essere di almeno 8 caratteri";
inline const std::string kNoUser = "Occorre indicare il nome dell'utente";
inline const std::string kNoPassword = "Occorre indicare la Password";
inline const std::string kNoReportName =
    "Indicare il nome del File di Log Generato dal Titolare del Trattamento";
inline const std::string kNoReportPath =
    "Indicare il Percorso dove generare il file di log per il Titolare del Trattamento";
inline const std::string kNoPeriod = "Occorre impostare il periodo da Esportare";

// A stored record: the text with every character's code shifted by 2, plain spaces up to 253
// characters, "|", CR, LF.
inline std::string storedRecord(const std::string& plain) {
  std::string scrambled;
  for (const char c : plain) scrambled += static_cast<char>(static_cast<unsigned char>(c) + 2);
  scrambled.resize(253, ' ');
  return scrambled + "|\r\n";
}

// A text followed by spaces and cut to `width`.
inline std::string pad(const std::string& text, std::size_t width) {
  std::string result = text.substr(0, width);
  result.resize(width, ' ');
  return result;
}

// The four records of a complete administrator file.
inline std::string administratorFile(const std::string& workstation, bool restricted,
                                     const std::string& reportName, const std::string& reportPath,
                                     const std::string& user, const std::string& password) {
  return storedRecord(pad(workstation, 20) + (restricted ? "1" : "0")) + storedRecord(reportName) +
         storedRecord(reportPath) + storedRecord(pad(user, 20) + pad(password, 20));
}

inline std::string controllerFile(const std::string& user, const std::string& password) {
  return storedRecord(pad(user, 20) + pad(password, 20));
}

// The plain text of an entry written by PC-01 at 09:05:03.
inline std::string entryText(char flag, const std::string& date, const std::string& description,
                             const std::string& account = "Admin") {
  return flag + date + "09:05:03" + pad("PC-01", 14) + pad(account, 20) + description;
}

// The stored record of an entry that the log writer makes at the fake clock's moment,
// 09:05:03 on 04/12/2026, by default the data controller's, and the confirmation of his.
inline std::string loggedRecord(const std::string& description,
                                const std::string& account = "Titolare") {
  return storedRecord(entryText('N', "04/12/2026", description, account));
}
inline std::string confirmation(const std::string& description,
                                const std::string& account = "Titolare") {
  return "Il seguente messaggio \xE8 stato salvato nel file di log dell'Amministratore di "
         "Sistema \n\r|DT Evento  |Ora        |WorkStation |Account Utente      |Descrizione\n\r"
         "|04/12/2026|09:05:03|" +
         pad("PC-01", 14) + "|" + pad(account, 20) + "|" + description;
}

}  // namespace kov::test
