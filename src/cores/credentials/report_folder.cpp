#include "report_folder.h"

#include "cores/shared/kov_par.h"
#include "runtime/file.h"
#include "texts.h"

namespace kov {

void offerReportFolder(Platform& platform, std::string_view typed) {
  // The folder as a report run names it: with its closing separator, so that an empty one is
  // the root.
  std::string folder(typed);
  if (!folder.ends_with('\\')) folder += '\\';
  const std::string native = nativeName(folder);
  if (isFolder(native) || !platform.ask(texts::reportFolderMissing(typed), kAppTitle)) return;
  if (const Error error = createFolders(native)) {
    showInformation(platform, texts::reportFolderNotCreated(typed, error), kAppTitle);
  }
}

}  // namespace kov
