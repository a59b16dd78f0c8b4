#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The one scheme the program trusts for what it downloads: ECDSA on the curve P-256 over the
// SHA-256 digest of the message. Keys and signatures travel in their fixed raw forms, so that
// both implementations read them alike and no parser of a variable format sits before the check.
inline constexpr std::size_t kSignaturePublicKeyBytes = 64;  // X then Y, 32 bytes each, big-endian
inline constexpr std::size_t kSignatureBytes = 64;           // r then s, 32 bytes each, big-endian

// Windows' own cryptography (CNG) on the real machine; OpenSSL on the simulated one.
class Signatures {
 public:
  virtual ~Signatures() = default;
  // True only when `signature` signs `message` under `publicKey`. A key or signature of the
  // wrong size, a key that is no point of the curve, or any failure of the provider is false.
  virtual bool Verify(const std::string& publicKey, const std::string& message,
                      const std::string& signature) = 0;
};

}  // namespace platform
