#include "platform/sim/sim_signatures.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>

#include <memory>

namespace platform::sim {
namespace {

template <class T, void (*Free)(T*)>
struct Freer {
  void operator()(T* pointer) const { Free(pointer); }
};
using PkeyPtr = std::unique_ptr<EVP_PKEY, Freer<EVP_PKEY, EVP_PKEY_free>>;
using PkeyContextPtr = std::unique_ptr<EVP_PKEY_CTX, Freer<EVP_PKEY_CTX, EVP_PKEY_CTX_free>>;
using MdContextPtr = std::unique_ptr<EVP_MD_CTX, Freer<EVP_MD_CTX, EVP_MD_CTX_free>>;
using ParamBuildPtr = std::unique_ptr<OSSL_PARAM_BLD, Freer<OSSL_PARAM_BLD, OSSL_PARAM_BLD_free>>;
using ParamsPtr = std::unique_ptr<OSSL_PARAM, Freer<OSSL_PARAM, OSSL_PARAM_free>>;
using SignaturePtr = std::unique_ptr<ECDSA_SIG, Freer<ECDSA_SIG, ECDSA_SIG_free>>;

// The key from its X and Y, as the uncompressed point OpenSSL reads (0x04, X, Y). A point off
// the curve is refused here.
PkeyPtr PublicKey(const std::string& raw) {
  std::string point = "\x04" + raw;
  ParamBuildPtr build(OSSL_PARAM_BLD_new());
  if (!build ||
      !OSSL_PARAM_BLD_push_utf8_string(build.get(), OSSL_PKEY_PARAM_GROUP_NAME, "prime256v1", 0) ||
      !OSSL_PARAM_BLD_push_octet_string(build.get(), OSSL_PKEY_PARAM_PUB_KEY, point.data(),
                                        point.size())) {
    return nullptr;
  }
  ParamsPtr params(OSSL_PARAM_BLD_to_param(build.get()));
  PkeyContextPtr context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
  if (!params || !context || EVP_PKEY_fromdata_init(context.get()) != 1) return nullptr;
  EVP_PKEY* key = nullptr;
  if (EVP_PKEY_fromdata(context.get(), &key, EVP_PKEY_PUBLIC_KEY, params.get()) != 1) {
    return nullptr;
  }
  PkeyPtr owned(key);
  PkeyContextPtr check(EVP_PKEY_CTX_new(key, nullptr));
  if (!check || EVP_PKEY_public_check(check.get()) != 1) return nullptr;
  return owned;
}

// r||s as the DER sequence OpenSSL verifies; empty when it cannot be built.
std::string DerSignature(const std::string& raw) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(raw.data());
  BIGNUM* r = BN_bin2bn(bytes, 32, nullptr);
  BIGNUM* s = BN_bin2bn(bytes + 32, 32, nullptr);
  SignaturePtr signature(ECDSA_SIG_new());
  if (!r || !s || !signature || ECDSA_SIG_set0(signature.get(), r, s) != 1) {
    BN_free(r);
    BN_free(s);
    return {};
  }
  unsigned char* der = nullptr;
  const int size = i2d_ECDSA_SIG(signature.get(), &der);
  if (size <= 0) return {};
  std::string out(reinterpret_cast<char*>(der), static_cast<std::size_t>(size));
  OPENSSL_free(der);
  return out;
}

}  // namespace

bool SimSignatures::Verify(const std::string& publicKey, const std::string& message,
                           const std::string& signature) {
  if (publicKey.size() != kSignaturePublicKeyBytes || signature.size() != kSignatureBytes) {
    return false;
  }
  const PkeyPtr key = PublicKey(publicKey);
  const std::string der = DerSignature(signature);
  MdContextPtr context(EVP_MD_CTX_new());
  if (!key || der.empty() || !context ||
      EVP_DigestVerifyInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1) {
    return false;
  }
  return EVP_DigestVerify(context.get(), reinterpret_cast<const unsigned char*>(der.data()),
                          der.size(), reinterpret_cast<const unsigned char*>(message.data()),
                          message.size()) == 1;
}

}  // namespace platform::sim
