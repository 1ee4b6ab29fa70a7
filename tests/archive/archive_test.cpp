#include <gtest/gtest.h>
TEST(Archive, Placeholder) {}
