#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace update {

// A signed answer of the definition server. The client and the server both build the signed
// message with SignedMessage, so that they agree on its bytes by construction.
//
// What the signature covers, each field length-prefixed so that no field can borrow bytes from
// its neighbour ("ab"+"c" and "a"+"bc" sign differently):
//   kind        what the answer is for: kSignedDateKind or kSignedDifferenceKind, so that a date
//               answer cannot stand in for a difference or the other way round
//   product     the product name, company the company name, as the client sent them
//   fromDate    the definitions date the client asked from, exactly as sent (empty for a date)
//   serverDate  the server's newest definitions date, which the client stores after merging
//   body        the exact bytes of the unsigned answer
inline constexpr const char* kSignedDateKind = "date";
inline constexpr const char* kSignedDifferenceKind = "difference";

// What a signed answer carries before its body: the signature's line and the date's line.
inline constexpr std::size_t kMaxSignedHeaderBytes = 4096;

struct SignedFields {
  std::string kind;
  std::string product;
  std::string company;
  std::string fromDate;
  std::string serverDate;
  std::string body;
};

std::string SignedMessage(const SignedFields& fields);

// The answer on the signed path: the signature in hexadecimal, CR LF, the server date, CR LF,
// then the body exactly as the unsigned path gives it.
struct SignedAnswer {
  std::string signature;  // raw bytes
  std::string serverDate;
  std::string body;
};
std::string FormatSignedAnswer(const SignedAnswer& answer);
// nullopt when the text is not in that form (an unsigned answer, an error page, a cut-off line).
std::optional<SignedAnswer> ParseSignedAnswer(const std::string& text);

// The signed twin of a request: ".sig" put before the path's ".asp", the query kept
// ("/asp/getDefsNEW.asp?d=1" becomes "/asp/getDefsNEW.sig.asp?d=1").
std::string SignedUrl(const std::string& url);

// Lower-case hexadecimal, and back; nullopt for an odd length or a character that is no digit.
std::string ToHex(const std::string& bytes);
std::optional<std::string> FromHex(const std::string& hex);

}  // namespace update
