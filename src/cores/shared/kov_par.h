// The state the whole program shares, and the small procedures that go with it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform.h"
#include "runtime/cp1252.h"
#include "runtime/error.h"
#include "runtime/file.h"

namespace kov {

inline constexpr std::string_view kAppTitle = "KoV";

struct Kov_Par {
  std::int16_t Tipo_Utente = 0;         // 0 administrator, 1 data controller
  std::int16_t Utente_da_Attivare = 0;  // first set-up: 0 none, 1 administrator, 2 controller
  std::array<std::string, 2> Utenti;    // an empty name: the role is not set up
  std::array<std::string, 2> Pw_Utenti;
  std::string File_Record;
  std::string Riga_Record;
  std::int16_t Modo_Record = 0;
  std::string Parametri_Postazione;
  std::string File_Rilevazioni;
  std::string Versione;
  std::string Data_Versione;
};

// Names of the data files: the program folder followed by these (see dataFileName).
inline constexpr std::string_view kAdministratorFile = "\\KoV";
inline constexpr std::string_view kControllerFile = "\\TdT";
inline constexpr std::string_view kRecordingsAtStart = "\\Odv";
inline constexpr std::string_view kRecordingsFile = "\\OdV";

// A writer of the recordings file waits this long at most for its lock, which any program that
// can read the file can hold.
inline constexpr std::chrono::seconds kRecordingsLockLimit{5};

// The wait for the lock of the recordings file, through the platform. `held` tells afterwards
// whether another program still held it when the limit passed.
LockWait recordingsLockWait(Platform& platform, bool& held);

void Imposta_Versione(Kov_Par& par, std::string_view programFolder);

// The signed-in user's name followed by the NUL that ends it. The name is taken as the
// Windows call with a 32-character buffer gives it: a longer name does not fit, the call
// fails and the result is the NUL alone.
std::string Leggi_Nome_Utente(Platform& platform);
// The computer's name; empty when it is longer than 31 characters.
std::string Leggi_Nome_Computer(Platform& platform);

// "Si è verificato il seguente errore nella Sub <name> :" LF CR "<number>-<description>"
// in a critical box titled with the application's title.
void showTrappedError(Platform& platform, std::string_view procedure, const Error& error);

// An information box: the message of a refused input.
void showInformation(Platform& platform, std::string_view text, std::string_view title);

}  // namespace kov
