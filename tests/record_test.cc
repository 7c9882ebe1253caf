#include "console/record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tessan {
namespace {

struct RecordCase {
  const char* name;
  std::vector<Item> items;
  std::string expected;
};

void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }

class RecordTest : public testing::TestWithParam<RecordCase> {};

TEST_P(RecordTest, Formats) {
  EXPECT_EQ(format_record(GetParam().items), GetParam().expected);
}

// Text items refer to their characters, so the long ones live here. With
// the leading blank, kA70 ends in column 71.
const std::string kA70(70, 'a');
const std::string kA74 = kA70 + "bbbb";
const std::string kA76 = kA70 + "bbbbbb";
const std::string kA77 = kA70 + "bbbbbbb";
const std::string kX100(100, 'x');

INSTANTIATE_TEST_SUITE_P(
    Layout, RecordTest,
    testing::Values(
        RecordCase{"EmptyRecordIsAnEmptyLine", {}, "\n"},
        RecordCase{"EmptyTextStillGetsItsBlank", {text("")}, " \n"},
        RecordCase{"TruthAtLineStartHasNoExtraBlank", {truth(true)}, " T\n"},
        RecordCase{"Zero", {integer(0)}, " 0\n"},
        RecordCase{"MinusThree", {integer(-3)}, " -3\n"},
        RecordCase{"MostNegative",
                   {integer(std::numeric_limits<std::int32_t>::min())},
                   " -2147483648\n"},
        RecordCase{"MostPositive",
                   {integer(std::numeric_limits<std::int32_t>::max())},
                   " 2147483647\n"},
        RecordCase{"TextThenInteger",
                   {text("GAME OVER - TOTAL SCORE ="), integer(12)},
                   " GAME OVER - TOTAL SCORE = 12\n"},
        RecordCase{
            "TextAndTruthItems",
            {text("p ="), truth(false), text("           q ="), truth(true)},
            " p = F           q = T\n"},
        RecordCase{"TextsJoinWithNothingBetween",
                   {text("    SCORE ="), text(" 0")},
                   "     SCORE = 0\n"},
        RecordCase{"TextReachingColumn79Stays",
                   {text(kA70), text("bbbbbbbb")},
                   " " + kA70 + "bbbbbbbb\n"},
        RecordCase{"TextReachingColumn80Breaks",
                   {text(kA70), text("bbbbbbbbb")},
                   " " + kA70 + "\n bbbbbbbbb\n"},
        RecordCase{"TruthReachingColumn79Stays",
                   {text(kA76), truth(true)},
                   " " + kA70 + "bbbbbb T\n"},
        RecordCase{"TruthReachingColumn80Breaks",
                   {text(kA77), truth(false)},
                   " " + kA70 + "bbbbbbb\n F\n"},
        // The blank and the sign do not count: four digits after column 75
        // end in column 80.
        RecordCase{"IntegerDigitsReachingColumn79Stay",
                   {text(kA74), integer(-1234)},
                   " " + kA70 + "bbbb -1234\n"},
        RecordCase{"IntegerDigitsReachingColumn80Break",
                   {text(kA74), integer(12345)},
                   " " + kA70 + "bbbb\n 12345\n"},
        RecordCase{"LongItemOnAnEmptyLineIsWrittenWhole",
                   {text(kX100)},
                   " " + kX100 + "\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessan
