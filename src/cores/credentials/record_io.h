// One record of a file, fetched or stored by its number.
#pragma once

#include <cstdint>
#include <string>

#include "cores/shared/platform.h"

namespace kov {

inline constexpr std::int16_t kRecordNotRead = 99;

// Rw 0 reads record Rec into Riga_rec; when the file does not hold a whole record there,
// Rw becomes 99 and Riga_rec is left as it was. Any other Rw writes Riga_rec, cut or filled
// with spaces to 256 bytes, as record Rec; the file grows and is never shortened. A
// missing file is created. Each failing step is shown and the next one carried out; the
// result tells whether every step went through, for the callers that must know whether a
// record reached the disk.
bool Rw_Record(Platform& platform, const std::string& NomeFile, std::int16_t& Rw, std::int16_t Rec,
               std::string& Riga_rec);

}  // namespace kov
