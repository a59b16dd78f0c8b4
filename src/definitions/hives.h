#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace definitions {

// A registry hive as definitions name it by code: 0 HKEY_CLASSES_ROOT, 1 HKEY_CURRENT_USER,
// 2 HKEY_LOCAL_MACHINE, 3 HKEY_USERS, 4 HKEY_CURRENT_CONFIG, 5 HKEY_DYN_DATA.
struct Hive {
  platform::RegKey handle = 0;
  const char* name = "";
};

// The code written in a definition read as a 16-bit whole number: blanks around it are allowed
// and a fraction is rounded to the nearest whole number (halves to the even one). nullopt when
// the text is no number or out of range.
std::optional<int> ParseHiveCode(std::string_view text);
// The hive of a code; nullopt for any number but 0 to 5.
std::optional<Hive> HiveFromCode(int code);
// The hive name for the code written in a definition; "" when it names no hive.
std::string HiveNameFromCodeText(std::string_view text);
// The hive name of a root handle ("HKEY_LOCAL_MACHINE"); "" for any other handle.
std::string HiveNameFromHandle(platform::RegKey hive);

// A root handle as the work lists and the removal log write it: a signed 32-bit decimal number
// (HKEY_LOCAL_MACHINE is -2147483646).
std::string HiveNumberText(platform::RegKey hive);
// That text read back (blanks around it allowed); nullopt when it is no 32-bit number.
std::optional<platform::RegKey> ParseHiveNumber(std::string_view text);

}  // namespace definitions
