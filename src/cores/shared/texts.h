// The texts of the errors every part of the program reports the same way. Windows-1252.
#pragma once

#include <string>
#include <string_view>

#include "runtime/cp1252.h"
#include "runtime/error.h"

namespace kov::shared_text {

// "Si è verificato il seguente errore nella Sub <name> :" LF CR "<number>-<description>"
inline std::string trappedError(std::string_view procedure, const Error& error) {
  return std::string("Si è verificato il seguente errore nella Sub "_cp) + std::string(procedure) +
         " :\n\r" + std::to_string(error.number) + '-' + error.description;
}

// Shown while a writer waits for the lock of the recordings file, once the wait lasts.
inline constexpr std::string_view kWaitingForRecordings =
    "In attesa del file delle rilevazioni, in uso da un altro programma\x85";

// An error of start-up, before the window is shown.
inline std::string startupError(const Error& error) {
  return std::string("Si è verificato il seguente errore nella lettura del form:"_cp) + "\n\r" +
         std::to_string(error.number) + '-' + error.description;
}

}  // namespace kov::shared_text
