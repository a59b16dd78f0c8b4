#pragma once

// What a Signatures service must do, on the simulation (OpenSSL) natively and on CNG under Wine:
// the same key and signature, made by OpenSSL's command line tool, are good on both, and every
// change of a byte, a size or the key is refused by both.
#include <gtest/gtest.h>

#include <string>

#include "platform/signatures.h"
#include "update/signed_answer.h"

namespace signatures_contract {

// An ECDSA P-256 key (X, Y) and its signature (r, s) of SHA-256("hello world").
inline constexpr const char* kKey =
    "66ef8409e08f95badc57f2403b64dcd9ed8bf606867f7c36a96092272b67a5ae"
    "bca15fbcf188a7e2b55c61b545e16fbdee9649a644a4954ccceca5e2fbf06f6d";
inline constexpr const char* kSignature =
    "0bd7c332adf82c07286c31ee2bf28ec9fd743e5346fd1a95ff29e31f6030b13a"
    "2726d273a961bc1816449cb057d959de58d7186bcb6f8a7dd431fd921a5f06ff";
// Another key of the curve.
inline constexpr const char* kOtherKey =
    "0fba155230444dd6a403c0f3321b5e98b22225e79d890c512e8aff573a396ca6"
    "3289774fd104652f8190a5e7de421df0cda15f2705c5d19d13571795cda4a8ce";

inline std::string Raw(const char* hex) {
  return update::FromHex(hex).value();
}

inline void OnlyTheGoodSignatureVerifies(platform::Signatures& signatures) {
  const std::string key = Raw(kKey);
  const std::string signature = Raw(kSignature);
  const std::string message = "hello world";
  EXPECT_TRUE(signatures.Verify(key, message, signature));

  EXPECT_FALSE(signatures.Verify(key, "hello worle", signature)) << "a changed message";
  EXPECT_FALSE(signatures.Verify(key, "hello world\n", signature)) << "a longer message";
  EXPECT_FALSE(signatures.Verify(key, "", signature)) << "an empty message";
  for (std::size_t at : {std::size_t{0}, std::size_t{31}, std::size_t{32}, std::size_t{63}}) {
    std::string flipped = signature;
    flipped[at] ^= 0x01;
    EXPECT_FALSE(signatures.Verify(key, message, flipped)) << "signature byte " << at;
  }
  EXPECT_FALSE(signatures.Verify(Raw(kOtherKey), message, signature)) << "another key";
  std::string offCurve = key;
  offCurve[63] ^= 0x01;
  EXPECT_FALSE(signatures.Verify(offCurve, message, signature)) << "a key off the curve";
  EXPECT_FALSE(signatures.Verify(key, message, std::string(64, '\0'))) << "r and s zero";
  EXPECT_FALSE(signatures.Verify(key, message, signature.substr(0, 63))) << "a short signature";
  EXPECT_FALSE(signatures.Verify(key, message, signature + '\0')) << "a long signature";
  EXPECT_FALSE(signatures.Verify(key.substr(1), message, signature)) << "a short key";
  EXPECT_FALSE(signatures.Verify("", message, signature)) << "no key";
}

}  // namespace signatures_contract
