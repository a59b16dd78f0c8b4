#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "common/dates.h"
#include "common/text.h"
#include "platform/system.h"

namespace platform::sim {

// 3/16/2006 9:00:00 AM as a date value.
inline constexpr double kSimStartDate = 38792.375;
// The machine booted an hour before the simulation starts.
inline constexpr std::uint32_t kSimStartTickCount = 3600000;

// Virtual time: nothing moves until a test advances it, and then the wall clock and the tick
// counter move together.
class SimClock : public Clock {
 public:
  double Now() override { return start_ + static_cast<double>(elapsedMs_) / kMsPerDay; }
  std::uint32_t TickCount() override { return tickCount_; }
  // The simulated user's locale: English (United States) unless a test chooses German
  // (Germany), whose dates are written day first with a 24-hour clock.
  enum class Locale { EnUs, DeDe };
  void SetLocale(Locale locale) { locale_ = locale; }
  std::string FormatDate(double date) override {
    return locale_ == Locale::DeDe ? common::FormatDateDeDe(date) : common::FormatDateEnUs(date);
  }
  std::optional<double> ParseDate(const std::string& text) override {
    return locale_ == Locale::DeDe ? common::ParseDateDeDe(text) : common::ParseDateEnUs(text);
  }

  std::string FormatWholeNumber(long long value) override {
    return common::GroupDigits(value, digitGroupSeparator_);
  }
  // The user's locale groups digits with this separator ("." in Germany).
  void SetDigitGroupSeparator(std::string separator) {
    digitGroupSeparator_ = std::move(separator);
  }

  // The tick counter wraps after 49.7 days, as GetTickCount does.
  void Advance(std::uint64_t ms) {
    elapsedMs_ += ms;
    tickCount_ += static_cast<std::uint32_t>(ms);
  }
  // The user changed the date or time: the wall clock jumps, the tick counter does not.
  void SetNow(double date) {
    start_ = date;
    elapsedMs_ = 0;
  }
  void SetTickCount(std::uint32_t ticks) { tickCount_ = ticks; }

 private:
  static constexpr double kMsPerDay = 86400000.0;
  // Elapsed time is kept in whole milliseconds so that many small steps add up exactly.
  double start_ = kSimStartDate;
  Locale locale_ = Locale::EnUs;
  std::uint64_t elapsedMs_ = 0;
  std::uint32_t tickCount_ = kSimStartTickCount;
  std::string digitGroupSeparator_ = ",";
};

}  // namespace platform::sim
