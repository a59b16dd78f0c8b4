#include "app/options.h"

namespace app {

std::optional<bool> OptionValue(const Option& option, const std::string& stored) {
  if (option.type == OptionType::Flag) {
    const std::optional<long> number = ReadNumber(stored);
    if (!number) return std::nullopt;
    return *number != 0;
  }
  return ReadBool(stored);
}

std::string OptionText(const Option& option, bool value) {
  return option.type == OptionType::Flag ? FlagText(value) : BoolText(value);
}

}  // namespace app
