#include "app/definitions_freshness.h"

#include <algorithm>
#include <cmath>

namespace app {

Freshness DefinitionsFreshness(std::optional<double> definitionsDate,
                               std::optional<std::int64_t> lastSuccessDay, double now,
                               int warningDays) {
  const auto day = [](double date) { return static_cast<std::int64_t>(std::floor(date)); };
  Freshness freshness;
  // A date ahead of the clock (a clock set back) is no negative age.
  if (definitionsDate)
    freshness.ageDays = std::max<std::int64_t>(0, day(now) - day(*definitionsDate));
  if (warningDays <= 0) return freshness;
  std::optional<std::int64_t> since = lastSuccessDay;
  if (!since && definitionsDate) since = day(*definitionsDate);
  freshness.overdue = !since || day(now) - *since > warningDays;
  return freshness;
}

}  // namespace app
