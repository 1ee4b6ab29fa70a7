#include "runtime/text.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

TEST(Text, TrimSpacesRemovesSpacesOnlyAndOnlyAtTheEnds) {
  const struct {
    std::string text;
    std::string trimmed;
  } cases[] = {
      {"", ""},
      {" ", ""},
      {std::string(253, ' '), ""},
      {"abc", "abc"},
      {"  a b  ", "a b"},
      {"x" + std::string(252, ' '), "x"},
      {std::string(9, ' ') + "x" + std::string(17, ' '), "x"},
      {"\t x \r\n", "\t x \r\n"},
      {"12345678" + std::string(8, ' '), "12345678"},
      {"        1234567 ", "1234567"},
  };
  for (const auto& c : cases) EXPECT_EQ(trimSpaces(c.text), c.trimmed) << '"' << c.text << '"';
}

}  // namespace
}  // namespace kov
