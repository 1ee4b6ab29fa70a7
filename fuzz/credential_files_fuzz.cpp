// The start-up reader over any administrator file or data-controller file a folder can hold.
#include <cstdlib>

#include "config/credential_files.h"
#include "fuzz_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kov::fuzz::SilentPlatform platform;
  if (size == 0) return 0;
  // The first byte chooses which file holds the bytes; the other file is a valid one.
  static const std::string controller = std::string(253, ' ') + "|\r\n";
  const bool administrator = (data[0] & 1) == 0;
  platform.put("KoV", administrator ? data + 1 : reinterpret_cast<const uint8_t*>(controller.data()),
               administrator ? size - 1 : controller.size());
  platform.put("TdT", administrator ? nullptr : data + 1, administrator ? 0 : size - 1);
  platform.put("Odv", nullptr, 0);

  kov::Kov_Par par;
  kov::Imposta_Versione(par, platform.folder);
  kov::WorkstationParameters parameters;
  const kov::CredentialsRead read = kov::readCredentialFiles(platform, par, parameters);
  if (read.creating || read.unreadable) std::abort();  // a readable, writable folder
  // Fields are cut from a 253-character text: never longer than their place.
  for (const std::string& field : {par.Utenti[0], par.Pw_Utenti[0], par.Utenti[1],
                                   par.Pw_Utenti[1], parameters.name, parameters.reportName}) {
    if (field.size() > 20 || (!field.empty() && (field.front() == ' ' || field.back() == ' '))) {
      std::abort();
    }
  }
  if (parameters.reportPath.size() > 253) std::abort();
  return 0;
}
