#include "app/definitions_freshness.h"

#include <gtest/gtest.h>

namespace app {
namespace {

constexpr double kMarch16 = 38792.0;  // 3/16/2006

TEST(DefinitionsFreshnessTest, AgeInWholeDaysAndTheWarningAfterTheLimit) {
  // Counted in calendar days, whatever the hours.
  EXPECT_EQ(DefinitionsFreshness(kMarch16 + 0.9, std::nullopt, kMarch16 + 3.1, 14).ageDays, 3);
  EXPECT_EQ(DefinitionsFreshness(kMarch16 + 5, std::nullopt, kMarch16, 14).ageDays, 0)
      << "a clock set back gives no negative age";
  EXPECT_FALSE(DefinitionsFreshness(std::nullopt, std::nullopt, kMarch16, 14).ageDays);

  const std::int64_t lastSuccess = 38800;
  EXPECT_FALSE(DefinitionsFreshness(kMarch16, lastSuccess, lastSuccess + 14.5, 14).overdue)
      << "recent success counts, not the definitions' age";
  EXPECT_TRUE(DefinitionsFreshness(kMarch16, lastSuccess, lastSuccess + 15.0, 14).overdue);
  EXPECT_TRUE(DefinitionsFreshness(kMarch16, std::nullopt, kMarch16 + 15, 14).overdue)
      << "before any success, from the definitions date";
  EXPECT_FALSE(DefinitionsFreshness(kMarch16, std::nullopt, kMarch16 + 14, 14).overdue);
  EXPECT_TRUE(DefinitionsFreshness(std::nullopt, std::nullopt, kMarch16, 14).overdue)
      << "nothing vouches for definitions of unknown date";
  EXPECT_FALSE(DefinitionsFreshness(kMarch16, std::nullopt, kMarch16 + 400, 0).overdue)
      << "a limit of 0 switches the warning off";
}

}  // namespace
}  // namespace app
