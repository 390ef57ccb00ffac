#include "season/number_scan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace shootout {
namespace {

struct ScanCase {
  const char* text;
  std::vector<std::int32_t> expected;  // the integers read, in order
};

void PrintTo(const ScanCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.text)); }

class ScanInts : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanInts, ReadsLikePercentD) {
  std::int32_t out[5] = {};
  const std::size_t n = scan_ints(GetParam().text, out, 5);
  EXPECT_EQ(std::vector<std::int32_t>(out, out + n), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScanInts,
    ::testing::Values(ScanCase{"1 2 3 4 5\n", {1, 2, 3, 4, 5}},
                      ScanCase{"\t 10   -2\r\n", {10, -2}},
                      ScanCase{"+7 x 8", {7}}, ScanCase{"- 3", {}},
                      ScanCase{"12abc 4", {12}}, ScanCase{"", {}},
                      ScanCase{"2147483647 -2147483648", {2147483647, -2147483648}},
                      ScanCase{"2147483648 1", {}},
                      ScanCase{"5 99999999999", {5}}));

}  // namespace
}  // namespace shootout
