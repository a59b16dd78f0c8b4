#include "answer_signer.h"

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <cstdio>

namespace defserver {

namespace {

constexpr std::size_t kCoordinate = 32;

std::string LibraryError() {
  const unsigned long code = ERR_get_error();
  if (code == 0) return "unknown error";
  char text[256];
  ERR_error_string_n(code, text, sizeof text);
  return text;
}

bool IsP256(EVP_PKEY* key) {
  char group[64] = {};
  size_t length = 0;
  return EVP_PKEY_is_a(key, "EC") &&
         EVP_PKEY_get_utf8_string_param(key, OSSL_PKEY_PARAM_GROUP_NAME, group, sizeof group,
                                        &length) == 1 &&
         std::string(group, length) == "prime256v1";
}

// A big number as exactly `size` bytes, big-endian with leading zeros.
std::string Padded(const BIGNUM* number, std::size_t size) {
  std::string bytes(size, '\0');
  if (BN_bn2binpad(number, reinterpret_cast<unsigned char*>(bytes.data()),
                   static_cast<int>(size)) != static_cast<int>(size)) {
    return {};
  }
  return bytes;
}

}  // namespace

struct AnswerSigner::Key {
  EVP_PKEY* pkey = nullptr;
  ~Key() { EVP_PKEY_free(pkey); }
};

AnswerSigner::AnswerSigner(std::unique_ptr<Key> key) : key_(std::move(key)) {}
AnswerSigner::~AnswerSigner() = default;

std::unique_ptr<AnswerSigner> AnswerSigner::Generate(std::string* error) {
  auto key = std::make_unique<Key>();
  key->pkey = EVP_EC_gen("prime256v1");
  if (key->pkey == nullptr) {
    *error = "cannot make a key: " + LibraryError();
    return nullptr;
  }
  return std::unique_ptr<AnswerSigner>(new AnswerSigner(std::move(key)));
}

std::unique_ptr<AnswerSigner> AnswerSigner::FromPemFile(const std::string& path,
                                                        std::string* error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    *error = "cannot open the signing key " + path;
    return nullptr;
  }
  auto key = std::make_unique<Key>();
  key->pkey = PEM_read_PrivateKey(file, nullptr, nullptr, nullptr);
  std::fclose(file);
  if (key->pkey == nullptr) {
    *error = "no private key in " + path + ": " + LibraryError();
    return nullptr;
  }
  if (!IsP256(key->pkey)) {
    *error = "the signing key in " + path + " is no ECDSA P-256 key";
    return nullptr;
  }
  return std::unique_ptr<AnswerSigner>(new AnswerSigner(std::move(key)));
}

std::string AnswerSigner::PrivateKeyPem() const {
  BIO* memory = BIO_new(BIO_s_mem());
  if (memory == nullptr) return {};
  std::string pem;
  if (PEM_write_bio_PrivateKey(memory, key_->pkey, nullptr, nullptr, 0, nullptr, nullptr) == 1) {
    char* data = nullptr;
    const long size = BIO_get_mem_data(memory, &data);
    if (size > 0) pem.assign(data, static_cast<std::size_t>(size));
  }
  BIO_free(memory);
  return pem;
}

std::string AnswerSigner::PublicKey() const {
  unsigned char point[1 + 2 * kCoordinate];
  size_t length = 0;
  if (EVP_PKEY_get_octet_string_param(key_->pkey, OSSL_PKEY_PARAM_PUB_KEY, point, sizeof point,
                                      &length) != 1 ||
      length != sizeof point || point[0] != 0x04) {
    return {};
  }
  return std::string(reinterpret_cast<char*>(point) + 1, 2 * kCoordinate);
}

std::string AnswerSigner::Sign(const std::string& message) const {
  EVP_MD_CTX* context = EVP_MD_CTX_new();
  if (context == nullptr) return {};
  std::string der;
  size_t size = 0;
  if (EVP_DigestSignInit(context, nullptr, EVP_sha256(), nullptr, key_->pkey) == 1 &&
      EVP_DigestSign(context, nullptr, &size,
                     reinterpret_cast<const unsigned char*>(message.data()), message.size()) == 1) {
    der.resize(size);
    if (EVP_DigestSign(context, reinterpret_cast<unsigned char*>(der.data()), &size,
                       reinterpret_cast<const unsigned char*>(message.data()),
                       message.size()) == 1) {
      der.resize(size);
    } else {
      der.clear();
    }
  }
  EVP_MD_CTX_free(context);
  if (der.empty()) return {};
  // OpenSSL writes the DER sequence; the scanner's CNG reads r and s side by side.
  const unsigned char* cursor = reinterpret_cast<const unsigned char*>(der.data());
  ECDSA_SIG* signature = d2i_ECDSA_SIG(nullptr, &cursor, static_cast<long>(der.size()));
  if (signature == nullptr) return {};
  const std::string raw = Padded(ECDSA_SIG_get0_r(signature), kCoordinate) +
                          Padded(ECDSA_SIG_get0_s(signature), kCoordinate);
  ECDSA_SIG_free(signature);
  return raw.size() == 2 * kCoordinate ? raw : std::string();
}

}  // namespace defserver
