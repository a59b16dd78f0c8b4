#include "client_date.h"

#include <cctype>

namespace defserver {

namespace {

// Reads a cursor's way through the text; every reader leaves the position alone on failure.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return position_ == text_.size(); }

  // One to maxDigits decimal digits; the count read goes to *digits.
  bool Number(size_t maxDigits, int* value, size_t* digits) {
    size_t end = position_;
    int result = 0;
    while (end < text_.size() && end - position_ < maxDigits &&
           std::isdigit(static_cast<unsigned char>(text_[end]))) {
      result = result * 10 + (text_[end] - '0');
      ++end;
    }
    if (end == position_ ||
        (end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end])))) {
      return false;
    }
    *digits = end - position_;
    *value = result;
    position_ = end;
    return true;
  }

  bool Char(char wanted) {
    if (AtEnd() || text_[position_] != wanted) return false;
    ++position_;
    return true;
  }

  // The next character when it is one of the given ones.
  bool OneOf(std::string_view choices, char* found) {
    if (AtEnd() || choices.find(text_[position_]) == std::string_view::npos) return false;
    *found = text_[position_++];
    return true;
  }

  size_t Blanks() {
    const size_t start = position_;
    while (!AtEnd() && text_[position_] == ' ') ++position_;
    return position_ - start;
  }

  // "AM" or "PM" in any case; *afternoon tells which.
  bool Meridiem(bool* afternoon) {
    if (text_.size() - position_ < 2) return false;
    const char first =
        static_cast<char>(std::toupper(static_cast<unsigned char>(text_[position_])));
    const char second =
        static_cast<char>(std::toupper(static_cast<unsigned char>(text_[position_ + 1])));
    if ((first != 'A' && first != 'P') || second != 'M') return false;
    *afternoon = first == 'P';
    position_ += 2;
    return true;
  }

 private:
  std::string_view text_;
  size_t position_ = 0;
};

struct TimeOfDay {
  int seconds = 0;
  int openSeconds = 0;  // 59 when the text gave no seconds
};

std::optional<TimeOfDay> ReadTime(Reader& reader) {
  int hour = 0;
  int minute = 0;
  int second = 0;
  size_t digits = 0;
  char separator = 0;
  if (!reader.Number(2, &hour, &digits) || !reader.OneOf(":.", &separator) ||
      !reader.Number(2, &minute, &digits) || digits != 2) {
    return std::nullopt;
  }
  TimeOfDay time;
  if (reader.Char(separator)) {
    if (!reader.Number(2, &second, &digits) || digits != 2) return std::nullopt;
  } else {
    time.openSeconds = 59;
  }
  reader.Blanks();
  bool afternoon = false;
  if (reader.Meridiem(&afternoon)) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + (afternoon ? 12 : 0);
  }
  if (!reader.AtEnd() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  time.seconds = hour * 3600 + minute * 60 + second;
  return time;
}

int FullYear(int year, size_t digits) {
  // Two-digit years follow the window of the client's own date conversion: 30 to 99 are 19xx.
  if (digits == 2) return year < 30 ? 2000 + year : 1900 + year;
  return year;
}

}  // namespace

std::optional<DateReading> ParseClientDate(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.size() > 64) return std::nullopt;

  Reader reader(text);
  int first = 0;
  int second = 0;
  int third = 0;
  size_t firstDigits = 0;
  size_t secondDigits = 0;
  size_t thirdDigits = 0;
  char separator = 0;
  const std::string_view::size_type secondStart = text.find_first_of("/.-") + 1;
  if (!reader.Number(4, &first, &firstDigits) || !reader.OneOf("/.-", &separator) ||
      !reader.Number(2, &second, &secondDigits) || !reader.Char(separator) ||
      !reader.Number(4, &third, &thirdDigits)) {
    return std::nullopt;
  }

  int year = 0;
  int month = 0;
  int day = 0;
  const bool yearFirst = firstDigits == 4;
  if (yearFirst) {
    if (thirdDigits > 2) return std::nullopt;
    year = first;
    month = second;
    day = third;
  } else {
    if (firstDigits > 2 || (thirdDigits != 2 && thirdDigits != 4)) return std::nullopt;
    year = FullYear(third, thirdDigits);
    const bool padded = text[0] == '0' || text[secondStart] == '0';
    // The other way round when the usual one makes no date ("03/16/2006", "3-16-2006").
    bool dayFirst = separator != '/' || padded;
    if (!IsValidDate(year, dayFirst ? second : first, dayFirst ? first : second)) {
      dayFirst = !dayFirst;
    }
    month = dayFirst ? second : first;
    day = dayFirst ? first : second;
  }
  if (!IsValidDate(year, month, day)) return std::nullopt;

  TimeOfDay time;
  if (!reader.AtEnd()) {
    const bool isoJoin = yearFirst && reader.Char('T');
    if (!isoJoin && reader.Blanks() == 0) return std::nullopt;
    const std::optional<TimeOfDay> read = ReadTime(reader);
    if (!read) return std::nullopt;
    time = *read;
  }
  const Seconds moment = ToSeconds({year, month, day, 0, 0, 0}) + time.seconds;
  return DateReading{moment, moment + time.openSeconds};
}

}  // namespace defserver
