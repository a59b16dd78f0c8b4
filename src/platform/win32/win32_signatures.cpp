#include "platform/win32/win32_signatures.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

#include <bcrypt.h>

namespace platform::win32 {
namespace {

struct AlgorithmDeleter {
  void operator()(BCRYPT_ALG_HANDLE algorithm) const { BCryptCloseAlgorithmProvider(algorithm, 0); }
};
struct KeyDeleter {
  void operator()(BCRYPT_KEY_HANDLE key) const { BCryptDestroyKey(key); }
};
struct HashDeleter {
  void operator()(BCRYPT_HASH_HANDLE hash) const { BCryptDestroyHash(hash); }
};
using UniqueAlgorithm = UniqueResource<BCRYPT_ALG_HANDLE, AlgorithmDeleter>;
using UniqueKey = UniqueResource<BCRYPT_KEY_HANDLE, KeyDeleter>;
using UniqueHash = UniqueResource<BCRYPT_HASH_HANDLE, HashDeleter>;

bool Succeeded(NTSTATUS status) {
  return status >= 0;
}

UniqueAlgorithm OpenAlgorithm(LPCWSTR name) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!Succeeded(BCryptOpenAlgorithmProvider(&algorithm, name, nullptr, 0))) return {};
  return UniqueAlgorithm(algorithm);
}

// SHA-256 of the message; empty when the provider fails.
std::vector<UCHAR> Sha256(const std::string& message) {
  const UniqueAlgorithm algorithm = OpenAlgorithm(BCRYPT_SHA256_ALGORITHM);
  if (!algorithm) return {};
  BCRYPT_HASH_HANDLE rawHash = nullptr;
  if (!Succeeded(BCryptCreateHash(algorithm.Get(), &rawHash, nullptr, 0, nullptr, 0, 0))) return {};
  const UniqueHash hash(rawHash);
  // BCryptHashData takes a ULONG length: a longer message goes in pieces.
  constexpr std::size_t kPiece = 1u << 30;
  for (std::size_t at = 0; at < message.size(); at += kPiece) {
    const std::size_t size = std::min(kPiece, message.size() - at);
    if (!Succeeded(BCryptHashData(hash.Get(),
                                  reinterpret_cast<PUCHAR>(const_cast<char*>(message.data() + at)),
                                  static_cast<ULONG>(size), 0))) {
      return {};
    }
  }
  std::vector<UCHAR> digest(32);
  if (!Succeeded(
          BCryptFinishHash(hash.Get(), digest.data(), static_cast<ULONG>(digest.size()), 0))) {
    return {};
  }
  return digest;
}

}  // namespace

bool Win32Signatures::Verify(const std::string& publicKey, const std::string& message,
                             const std::string& signature) {
  if (publicKey.size() != kSignaturePublicKeyBytes || signature.size() != kSignatureBytes) {
    return false;
  }
  const UniqueAlgorithm algorithm = OpenAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM);
  if (!algorithm) return false;
  std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + publicKey.size());
  BCRYPT_ECCKEY_BLOB header{};
  header.dwMagic = BCRYPT_ECDSA_PUBLIC_P256_MAGIC;
  header.cbKey = static_cast<ULONG>(publicKey.size() / 2);
  std::memcpy(blob.data(), &header, sizeof(header));
  std::memcpy(blob.data() + sizeof(header), publicKey.data(), publicKey.size());
  BCRYPT_KEY_HANDLE rawKey = nullptr;
  if (!Succeeded(BCryptImportKeyPair(algorithm.Get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &rawKey,
                                     blob.data(), static_cast<ULONG>(blob.size()), 0))) {
    return false;
  }
  const UniqueKey key(rawKey);
  std::vector<UCHAR> digest = Sha256(message);
  if (digest.empty()) return false;
  std::string signatureCopy = signature;
  return Succeeded(BCryptVerifySignature(
      key.Get(), nullptr, digest.data(), static_cast<ULONG>(digest.size()),
      reinterpret_cast<PUCHAR>(signatureCopy.data()), static_cast<ULONG>(signatureCopy.size()), 0));
}

}  // namespace platform::win32
