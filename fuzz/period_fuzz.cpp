// A date box's text names no date or a dd/MM/yyyy that converts to itself and keys as yyyymmdd.
#include <cstdlib>

#include "cores/report/period.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto date = kov::dayFirstDate(std::string(reinterpret_cast<const char*>(data), size));
  if (date &&
      (date->size() != 10 || kov::dayFirstDate(*date) != date ||
       kov::RovesciaData(*date) != date->substr(6) + date->substr(3, 2) + date->substr(0, 2))) {
    std::abort();
  }
  return 0;
}
