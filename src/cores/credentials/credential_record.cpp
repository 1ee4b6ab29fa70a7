#include "credential_record.h"

#include "record_io.h"
#include "runtime/records.h"
#include "runtime/text.h"
#include "scramble.h"

namespace kov {

std::string userFieldText(std::string_view name, std::string_view password) {
  return padCut(name, kFieldWidth) + padCut(password, kFieldWidth);
}

std::string workstationFieldText(std::string_view workstation, bool restricted) {
  return padCut(workstation, kFieldWidth) + (restricted ? '1' : '0');
}

std::string unscrambleLine(Platform& platform, std::string_view line) {
  std::string text;
  Cripta_Decripta(platform, "D", trimSpaces(line.substr(0, kRecordText)), text);
  return text;
}

std::string fieldOf(std::string_view text, std::size_t from, std::size_t length) {
  return std::string(trimSpaces(mid(text, from, length)));
}

bool storeFieldText(Platform& platform, Kov_Par& par, std::int16_t& mode, std::string_view file,
                    std::int16_t rec, std::string_view fieldText) {
  par.File_Record = file;
  Cripta_Decripta(platform, "C", fieldText, par.Riga_Record);
  if (par.Riga_Record.empty() && !fieldText.empty()) return false;
  par.Riga_Record = recordOf(par.Riga_Record);
  mode = 1;
  return Rw_Record(platform, par.File_Record, mode, rec, par.Riga_Record);
}

}  // namespace kov
