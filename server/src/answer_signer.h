#pragma once

#include <memory>
#include <string>

namespace defserver {

// The server's signing key: ECDSA on P-256 over SHA-256, the scheme the scanner checks with
// its system's own cryptography. Signatures and the public key come in the raw forms the
// scanner reads (r then s; X then Y; 32 bytes each, big-endian).
class AnswerSigner {
 public:
  ~AnswerSigner();
  AnswerSigner(const AnswerSigner&) = delete;
  AnswerSigner& operator=(const AnswerSigner&) = delete;

  // A new random key.
  static std::unique_ptr<AnswerSigner> Generate(std::string* error);
  // A private key from a PEM file (as Generate's key is written); nullptr, with the reason in
  // `error`, when it cannot be read or is no P-256 key.
  static std::unique_ptr<AnswerSigner> FromPemFile(const std::string& path, std::string* error);

  // The private key as PEM, for the file the server reads it from.
  std::string PrivateKeyPem() const;
  // 64 bytes.
  std::string PublicKey() const;
  // 64 bytes; empty when the library fails.
  std::string Sign(const std::string& message) const;

 private:
  struct Key;
  explicit AnswerSigner(std::unique_ptr<Key> key);
  std::unique_ptr<Key> key_;
};

}  // namespace defserver
