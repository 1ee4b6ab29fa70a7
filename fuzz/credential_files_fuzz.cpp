// The start-up reader over any administrator file or data-controller file a folder can hold:
// every field fits its place, and fields that the boxes could hold, stored by the first
// set-up and then by the password dialog, read back the same.
#include <algorithm>
#include <cstdlib>

#include "cores/config/credential_files.h"
#include "cores/credentials/new_password.h"
#include "cores/credentials/password_button.h"
#include "fuzz_platform.h"

namespace {

struct Read {
  kov::Kov_Par par;
  kov::WorkstationParameters parameters;
};

Read readFiles(kov::fuzz::SilentPlatform& platform) {
  Read read;
  kov::Imposta_Versione(read.par, platform.folder);
  const kov::CredentialsRead outcome =
      kov::readCredentialFiles(platform, read.par, read.parameters);
  if (outcome.creating || outcome.unreadable) std::abort();  // a readable, writable folder
  return read;
}

// What a box can hold: no control character, nothing the shift cannot raise.
bool typeable(const std::string& field) {
  return std::all_of(field.begin(), field.end(), [](char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code < 254;
  });
}

bool sameFields(const Read& a, const Read& b) {
  return a.par.Utenti == b.par.Utenti && a.par.Pw_Utenti == b.par.Pw_Utenti &&
         a.parameters.name == b.parameters.name &&
         a.parameters.restricted == b.parameters.restricted &&
         a.parameters.reportName == b.parameters.reportName &&
         a.parameters.reportPath == b.parameters.reportPath;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kov::fuzz::SilentPlatform platform;
  if (size == 0) return 0;
  // The first byte chooses which file holds the bytes (the other file is a valid one) and
  // whether the password dialog stores the fields once more.
  static const std::string controller = std::string(253, ' ') + "|\r\n";
  const bool administrator = (data[0] & 1) == 0;
  const bool firstSetUp = (data[0] & 2) == 0;
  platform.put("KoV",
               administrator ? data + 1 : reinterpret_cast<const uint8_t*>(controller.data()),
               administrator ? size - 1 : controller.size());
  platform.put("TdT", administrator ? nullptr : data + 1, administrator ? 0 : size - 1);
  platform.put("Odv", nullptr, 0);

  Read read = readFiles(platform);
  const kov::WorkstationParameters& parameters = read.parameters;
  // Fields are cut from a 253-character text: never longer than their place.
  const std::string* fields[] = {&read.par.Utenti[0], &read.par.Pw_Utenti[0],
                                 &read.par.Utenti[1], &read.par.Pw_Utenti[1],
                                 &parameters.name,    &parameters.reportName};
  for (const std::string* field : fields) {
    if (field->size() > 20 ||
        (!field->empty() && (field->front() == ' ' || field->back() == ' '))) {
      std::abort();
    }
  }
  if (parameters.reportPath.size() > 253) std::abort();

  if (!std::all_of(std::begin(fields), std::end(fields),
                   [](const std::string* field) { return typeable(*field); }) ||
      !typeable(parameters.reportPath)) {
    return 0;
  }
  // Stored into new files by the first set-up of both roles, the fields read back the same.
  platform.put("KoV", nullptr, 0);
  platform.put("TdT", nullptr, 0);
  for (std::int16_t role = 1; role <= 2; ++role) {
    const auto i = static_cast<std::size_t>(role - 1);
    read.par.Utente_da_Attivare = role;
    kov::storeSetUp(platform, read.par, {read.par.Utenti[i], read.par.Pw_Utenti[i], parameters});
  }
  if (!sameFields(read, readFiles(platform))) std::abort();
  if (firstSetUp) return 0;
  // So do they when the password dialog stores them again, with the parameters that the
  // window hands to it only with a workstation name.
  read.par.Tipo_Utente = administrator ? 0 : 1;
  if (administrator && !kov::parametersRefusal(parameters)) {
    read.par.Parametri_Postazione = kov::pendingParameters(parameters);
  }
  std::int16_t mode = 0;
  kov::storeNewPassword(platform, read.par, mode,
                        read.par.Pw_Utenti[static_cast<std::size_t>(read.par.Tipo_Utente)]);
  if (!sameFields(read, readFiles(platform))) std::abort();
  return 0;
}
