#pragma once

#include "platform/signatures.h"

namespace platform::sim {

// OpenSSL's ECDSA, for the native build: the same scheme and the same raw forms as CNG.
class SimSignatures : public Signatures {
 public:
  bool Verify(const std::string& publicKey, const std::string& message,
              const std::string& signature) override;
};

}  // namespace platform::sim
