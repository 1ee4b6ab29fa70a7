// Any administrator file is read without a failure into fields that fit, trimmed of spaces.
#include <cstdlib>

#include "cores/config/credential_files.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kov::test::TempFolder folder;
  static kov::test::FakePlatform platform;
  platform.folder = folder.path();
  folder.write("KoV", std::string(reinterpret_cast<const char*>(data), size));
  kov::Kov_Par par;
  kov::WorkstationParameters parameters;
  const kov::CredentialsRead outcome = kov::readCredentialFiles(platform, par, parameters);
  if (outcome.creating || outcome.unreadable || parameters.reportPath.size() > 253) std::abort();
  for (const std::string& field :
       {par.Utenti[0], par.Pw_Utenti[0], parameters.name, parameters.reportName}) {
    if (field.size() > 20 || field.starts_with(' ') || field.ends_with(' ')) std::abort();
  }
  return 0;
}
