#pragma once

#include <cstdint>
#include <optional>

namespace app {

// How current the definitions are, for the status page.
struct Freshness {
  // Whole days since the definitions date; nullopt when that date cannot be read.
  std::optional<std::int64_t> ageDays;
  // Live Update has not succeeded for more than the limit: counted from the last success, or,
  // before the first one, from the definitions date. Definitions frozen by a blocked or refused
  // update must not go unnoticed.
  bool overdue = false;
};

// Dates are date values (days since 12/30/1899, the time as the fraction); lastSuccessDay is a
// day number. A limit of 0 or less switches the warning off.
Freshness DefinitionsFreshness(std::optional<double> definitionsDate,
                               std::optional<std::int64_t> lastSuccessDay, double now,
                               int warningDays);

}  // namespace app
