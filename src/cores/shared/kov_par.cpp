#include "kov_par.h"

#include "runtime/file.h"
#include "texts.h"

namespace kov {
namespace {

constexpr std::size_t kNameBuffer = 32;

// The name as a Windows "A" call with a 32-character buffer returns it, NUL included.
std::string throughNameBuffer(const std::string& name) {
  if (name.size() >= kNameBuffer) return {};
  return name + '\0';
}

}  // namespace

LockWait recordingsLockWait(Platform& platform, bool& held) {
  held = false;
  return [&platform, &held](const std::function<bool()>& attempt) {
    held = !platform.waitFor(attempt, kRecordingsLockLimit, shared_text::kWaitingForRecordings);
    return !held;
  };
}

void Imposta_Versione(Kov_Par& par, std::string_view programFolder) {
  par.Versione = "020000";
  par.Data_Versione = " del 01/02/2011";
  par.File_Rilevazioni = dataFileName(programFolder, kRecordingsAtStart);
}

std::string Leggi_Nome_Utente(Platform& platform) {
  const std::string buffer = throughNameBuffer(platform.userName());
  return buffer.empty() ? std::string(1, '\0') : buffer;
}

std::string Leggi_Nome_Computer(Platform& platform) {
  const std::string buffer = throughNameBuffer(platform.computerName());
  return buffer.empty() ? std::string() : buffer.substr(0, buffer.size() - 1);
}

void showTrappedError(Platform& platform, std::string_view procedure, const Error& error) {
  platform.message(Icon::Critical, shared_text::trappedError(procedure, error), kAppTitle);
}

void showInformation(Platform& platform, std::string_view text, std::string_view title) {
  platform.message(Icon::Information, text, title);
}

}  // namespace kov
