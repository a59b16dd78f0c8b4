#include "definitions/line_codec.h"

namespace definitions {

std::string DecodeDefinitionLine(std::string_view line) {
  std::string plain(line);
  for (char& c : plain) {
    int code = static_cast<unsigned char>(c) - 64;
    if (code < 0) code += 255;
    c = static_cast<char>(code);
  }
  return plain;
}

std::string ScrambleText(std::string_view text) {
  std::string stored(text);
  for (char& c : stored) {
    const int code = static_cast<unsigned char>(c);
    c = static_cast<char>(code <= 191 ? code + 64 : code - 191);
  }
  return stored;
}

}  // namespace definitions
