#include "update/signed_answer.h"

#include <cstdint>

namespace update {
namespace {

// Names the scheme and its layout; a later layout gets a new name rather than a new reading.
constexpr char kMessageTag[] = "definition-answer/1";

void AppendField(std::string* message, const std::string& field) {
  const std::uint64_t size = field.size();
  for (int shift = 56; shift >= 0; shift -= 8) {
    message->push_back(static_cast<char>((size >> shift) & 0xff));
  }
  message->append(field);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string SignedMessage(const SignedFields& fields) {
  std::string message;
  message.reserve(sizeof kMessageTag + 6 * 8 + fields.body.size() + 128);
  AppendField(&message, kMessageTag);
  for (const std::string* field : {&fields.kind, &fields.product, &fields.company, &fields.fromDate,
                                   &fields.serverDate, &fields.body}) {
    AppendField(&message, *field);
  }
  return message;
}

std::string FormatSignedAnswer(const SignedAnswer& answer) {
  return ToHex(answer.signature) + "\r\n" + answer.serverDate + "\r\n" + answer.body;
}

std::optional<SignedAnswer> ParseSignedAnswer(const std::string& text) {
  const std::size_t first = text.find("\r\n");
  if (first == std::string::npos) return std::nullopt;
  const std::size_t second = text.find("\r\n", first + 2);
  if (second == std::string::npos) return std::nullopt;
  const std::optional<std::string> signature = FromHex(text.substr(0, first));
  if (!signature || signature->empty()) return std::nullopt;
  return SignedAnswer{*signature, text.substr(first + 2, second - first - 2),
                      text.substr(second + 2)};
}

std::string SignedUrl(const std::string& url) {
  const std::size_t query = url.find('?');
  const std::size_t extension = url.rfind(".asp", query);
  if (extension == std::string::npos) return url;
  return url.substr(0, extension) + ".sig" + url.substr(extension);
}

std::string ToHex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 15]);
  }
  return hex;
}

std::optional<std::string> FromHex(const std::string& hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexDigit(hex[i]);
    const int low = HexDigit(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return bytes;
}

}  // namespace update
