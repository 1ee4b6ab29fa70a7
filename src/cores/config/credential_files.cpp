#include "credential_files.h"

#include <vector>

#include "cores/credentials/credential_record.h"
#include "runtime/records.h"

namespace kov {
namespace {

constexpr std::string_view kProcedure = "Leggi_Parametri_KOV";

// The restricted-access flag: the numeric value of character 21 of the workstation
// record. Only 0 and 1 are states of the check box; another digit is refused as the
// invalid property value it is and leaves the box clear.
bool restrictedFlag(Platform& platform, std::string_view fieldText) {
  const std::string digit = fieldOf(fieldText, 21, 1);
  if (digit.empty() || digit[0] < '0' || digit[0] > '9' || digit[0] == '0') return false;
  if (digit[0] == '1') return true;
  showTrappedError(platform, kProcedure, errorOf(err::kInvalidPropertyValue));
  return false;
}

enum class Outcome { Read, Created };

// Opens File_Record and reads up to `maxLines` lines of it; a missing file is created.
Outcome readLinesOf(Platform& platform, const Kov_Par& par, std::size_t maxLines,
                    std::vector<std::string>& lines, CredentialsRead& read) {
  const auto trap = [&](const Error& error) {
    if (!error) return;
    showTrappedError(platform, kProcedure, error);
    read.unreadable = true;
  };
  File file;
  const Error error = file.open(par.File_Record, File::Mode::Read);
  if (error.number == err::kFileNotFound) {
    read.creating = createHidden(par.File_Record);
    return Outcome::Created;
  }
  trap(error);
  trap(readLines(file, maxLines, lines));
  return Outcome::Read;
}

}  // namespace

CredentialsRead readCredentialFiles(Platform& platform, Kov_Par& par,
                                    WorkstationParameters& parameters) {
  const std::string folder = platform.programFolder();
  std::vector<std::string> lines;
  CredentialsRead read;

  par.File_Record = dataFileName(folder, kAdministratorFile);
  if (readLinesOf(platform, par, 4, lines, read) == Outcome::Created) {
    if (!read.creating) read.creating = createHidden(par.File_Rilevazioni);
    return read;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string text = unscrambleLine(platform, lines[i]);
    switch (i) {
      case 0:
        parameters.name = fieldOf(text, 1, kFieldWidth);
        parameters.restricted = restrictedFlag(platform, text);
        break;
      case 1:
        parameters.reportName = fieldOf(text, 1, kFieldWidth);
        break;
      case 2:
        parameters.reportPath = fieldOf(text, 1);
        break;
      default:
        par.Utenti[0] = fieldOf(text, 1, kFieldWidth);
        par.Pw_Utenti[0] = fieldOf(text, kFieldWidth + 1, kFieldWidth);
        break;
    }
  }

  par.File_Record = dataFileName(folder, kControllerFile);
  if (readLinesOf(platform, par, 1, lines, read) == Outcome::Read && !lines.empty()) {
    const std::string text = unscrambleLine(platform, lines[0]);
    par.Utenti[1] = fieldOf(text, 1, kFieldWidth);
    par.Pw_Utenti[1] = fieldOf(text, kFieldWidth + 1, kFieldWidth);
  }
  return read;
}

}  // namespace kov
