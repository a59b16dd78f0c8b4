#include "submission.h"

#include "definitions/line_codec.h"

namespace defserver {

namespace {

constexpr size_t kMaxNameLength = 260;
constexpr size_t kMaxNames = 1024;

}  // namespace

std::optional<std::vector<std::string>> ParseSubmission(std::string_view payload) {
  std::vector<std::string> names;
  size_t pieces = 0;
  while (!payload.empty()) {
    const size_t bar = payload.find('|');
    const std::string_view piece = payload.substr(0, bar);
    payload = bar == std::string_view::npos ? std::string_view() : payload.substr(bar + 1);
    if (++pieces > kMaxNames || piece.size() > kMaxNameLength) return std::nullopt;
    if (piece.empty()) continue;
    std::string name = definitions::DecodeDefinitionLine(piece);
    for (char c : name) {
      const unsigned char code = static_cast<unsigned char>(c);
      if (code < 32 || code == 127) return std::nullopt;
    }
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace defserver
