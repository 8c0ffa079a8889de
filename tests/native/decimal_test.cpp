#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "services/decimal.h"

namespace corvandel {
namespace {

TEST(ParseDecimal, FollowsTheCDecimalConversion) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"3", 3},       {"  42", 42},   {"\t-7", -7},   {"+15", 15},          {"12abc", 12},
      {"abc", 0},     {"", 0},        {"-", 0},       {" + 5", 0},          {"007", 7},
      {"2147483647", INT_MAX},        {"-2147483648", INT_MIN},             {"1 2", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(std::optional<int>(c.value), ParseDecimal(c.text)) << '"' << c.text << '"';
}

TEST(ParseDecimal, NumbersOutsideTheIntRangeGiveNothing) {
  for (const char* text : {"2147483648", "-2147483649", "99999999999999999999999", "  123456789012x"})
    EXPECT_EQ(std::nullopt, ParseDecimal(text)) << text;
}

}  // namespace
}  // namespace corvandel
