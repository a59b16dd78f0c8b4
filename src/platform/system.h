#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWin32Windows = 1;  // the 9x family
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

// What GetVersionExA reports.
struct OsVersion {
  std::uint32_t platformId = kPlatformWin32Nt;
  std::uint32_t major = 5;
  std::uint32_t minor = 1;
};

// The program's own version block.
struct OwnVersionInfo {
  std::string productName;
  std::string companyName;
  std::string comments;
  int major = 0;
  int minor = 0;
};

class System {
 public:
  virtual ~System() = default;
  // GetVersionExA; false when the call fails (version is then unchanged).
  virtual bool GetVersion(OsVersion* version) = 0;
  // The product name, company name and comments of the program's own version block, and the
  // major and minor numbers of its file version. Missing fields are empty or 0.
  virtual OwnVersionInfo GetOwnVersionInfo() = 0;
  // The folder of the running executable, without a trailing "\" (except at a drive root).
  virtual std::string ProgramFolder() = 0;
  // The running executable's file name without folder and without ".exe".
  virtual std::string ExeName() = 0;
};

// Wall-clock time for dates shown and stored, and a millisecond counter for intervals.
class Clock {
 public:
  virtual ~Clock() = default;
  // Local date and time as a date value: days since 30 December 1899, the time of day as the
  // fraction.
  virtual double Now() = 0;
  // Milliseconds since an arbitrary start (GetTickCount); wraps like the API.
  virtual std::uint32_t TickCount() = 0;
  // A date value as text in the user's general date format: the short date, a blank and the long
  // time; a value at midnight shows the date alone (and a value before the first day the time
  // alone).
  virtual std::string FormatDate(double date) = 0;
  // A text as a date value, read the way the user's locale writes dates (and the forms the
  // system accepts besides); nullopt when it is no date.
  virtual std::optional<double> ParseDate(const std::string& text) = 0;
  // A whole number as the user's locale writes it, its digits grouped ("12,345" in the United
  // States, "12.345" in Germany) and no decimals.
  virtual std::string FormatWholeNumber(long long value) = 0;
};

}  // namespace platform
