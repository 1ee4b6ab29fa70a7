// Start-up's reading of the administrator file and the data-controller file.
#pragma once

#include <string>

#include "cores/credentials/credential_record.h"

namespace kov {

struct CredentialsRead {
  Error creating;           // a missing file could not be created; not shown yet
  bool unreadable = false;  // a file could not be opened or read; already shown
};

// Reads the administrator file into `parameters` and the administrator's entry of the
// user tables, then the data-controller file into its entry. A missing file is created
// empty and hidden (with a missing administrator file, the recordings file too) and
// reading stops there for this run. A failure while creating is returned, for start-up
// to report; any other failure is shown under "Leggi_Parametri_KOV" and reading goes on,
// and the result tells that a role may be stored although its name was not read.
CredentialsRead readCredentialFiles(Platform& platform, Kov_Par& par,
                                    WorkstationParameters& parameters);

}  // namespace kov
