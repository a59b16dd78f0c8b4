#pragma once

#include "platform/signatures.h"

namespace platform::win32 {

// CNG (bcrypt.dll): the key is imported as an ECCPUBLIC blob of ECDSA_P256, the message hashed
// with SHA256 and the raw r||s signature checked by BCryptVerifySignature.
class Win32Signatures : public Signatures {
 public:
  bool Verify(const std::string& publicKey, const std::string& message,
              const std::string& signature) override;
};

}  // namespace platform::win32
