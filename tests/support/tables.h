// What the tables of cases share: each row's own name as its test's name, and comparisons of
// files of 256-byte records that name the first record that differs.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace kov::test {

// For INSTANTIATE_TEST_SUITE_P: a row is named by its `name`, one word found in tests/ on that
// row alone.
struct RowName {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

// For EXPECT_PRED_FORMAT2: equal bytes, or the number of the first record that differs, both
// records and both sizes.
inline testing::AssertionResult sameRecords(const char* actualName, const char* expectedName,
                                            const std::string& actual,
                                            const std::string& expected) {
  if (actual == expected) return testing::AssertionSuccess();
  const auto at =
      static_cast<std::size_t>(std::ranges::mismatch(actual, expected).in1 - actual.begin());
  const std::size_t record = at / 256;
  const auto shownRecord = [record](const std::string& bytes) {
    return testing::PrintToString(bytes.substr(std::min(bytes.size(), record * 256), 256));
  };
  return testing::AssertionFailure()
         << actualName << " differs from " << expectedName << " first in record " << record + 1
         << ", byte " << at % 256 + 1 << ":\n  " << shownRecord(actual) << "\nnot\n  "
         << shownRecord(expected) << "\n(" << actual.size() << " bytes, not " << expected.size()
         << ")";
}

}  // namespace kov::test

#define EXPECT_RECORDS(actual, expected) \
  EXPECT_PRED_FORMAT2(::kov::test::sameRecords, actual, expected)
