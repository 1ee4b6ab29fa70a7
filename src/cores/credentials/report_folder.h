// The report folder of workstation parameters being saved: a folder that does not exist yet is
// offered to be created, so that the first report does not fail a month later.
#pragma once

#include <string_view>

#include "cores/shared/platform.h"

namespace kov {

// Asks whether to create the report folder `typed` (Windows-1252, as the user typed it) when
// it does not exist, and creates it with the folders on the way to it on Yes. The parameters
// are saved whatever the answer, and a failure to create it is told.
void offerReportFolder(Platform& platform, std::string_view typed);

}  // namespace kov
