#include <gtest/gtest.h>

#include <set>

#include "services/builtin_strings.h"

namespace corvandel {
namespace {

struct ExpectedString {
  int id;
  const char* text;
};

// The texts the program ships, typed here independently of the table.
constexpr ExpectedString kExpected[] = {
    {101, "&About Corvandel..."},
    {2001, "A L E R T"},
    {2002, "This Tweak is active only on Windows NT/2000/XP"},
    {2003, "This Tweak is active only on Windows 2000/XP"},
    {2004, "This Tweak is active only on Windows XP"},
    {2005, "Please Set the Command Prompt Menu Name"},
    {2006, "Please Set the Alternate Program Path"},
    {2007, "Please Set the Log File Directory Path"},
    {2008, "Please Set the Location of the Dump File"},
    {2009, "Please Set the Number of Instructions To Record"},
    {2010, "Please Set the Location of Wave File for Sound Notification"},
    {2011, "This Tweak is active only on Windows 2000/Me/XP"},
    {2012, "Please Set the Program Path"},
    {2013, "You must choose Enable Font Smoothing on Windows NT/2000/XP or Disable"},
    {2014, "You must choose Enable Font Smoothing on Windows 95/98/Me or Disable"},
    {2015, "These settings control activate only on Windows 98/Me/2000/XP"},
    {2016, "This Tweak is active only with Windows 95/98/Me/NT/2000"},
    {2017, "This Tweak is active only on Windows 95/98/Me/2000/XP"},
    {2018, "This Tweak is active only on Windows 2000/XP/98/Me/NT"},
    {2019, "This Tweak is active only on Windows 2000"},
    {2020, "Please insert the Response Time for Hung Applications ..."},
    {2021, "This Tweak is active only on Windows Me/XP"},
    {2022, "This Tweak is active only on Microsoft Windows 98"},
};

TEST(BuiltinStrings, EveryShippedTextIsExact) {
  for (const auto& expected : kExpected) {
    SCOPED_TRACE(expected.id);
    EXPECT_EQ(expected.text, BuiltinString(expected.id));
  }
}

TEST(BuiltinStrings, TableHoldsExactlyTheShippedIdsInOrder) {
  auto table = BuiltinStrings();
  ASSERT_EQ(std::size(kExpected), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) EXPECT_EQ(kExpected[i].id, table[i].id) << "entry " << i;
}

TEST(BuiltinStrings, IdsOutsideTheTableAreEmpty) {
  for (int id : {0, 100, 102, 2000, 2023, -1, 65535}) EXPECT_TRUE(BuiltinString(id).empty()) << id;
}

}  // namespace
}  // namespace corvandel
