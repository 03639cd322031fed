#include "platform/crypto_primitives.h"

#include <windows.h>

#include <bcrypt.h>
#include <wincrypt.h>

#include <algorithm>

#include "platform/error.h"

namespace lumenquill {
namespace {

// An algorithm provider of Windows's Cryptography API: Next Generation, opened for one call.
class Provider final {
 public:
  Provider(const wchar_t* algorithm, const wchar_t* chaining_mode = nullptr) {
    if (!BCRYPT_SUCCESS(::BCryptOpenAlgorithmProvider(&handle_, algorithm, nullptr, 0))) {
      throw Error("暗号化の機能を使えません。");
    }
    if (chaining_mode != nullptr) {
      Check(::BCryptSetProperty(handle_, BCRYPT_CHAINING_MODE,
                                reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(chaining_mode)),
                                static_cast<ULONG>((wcslen(chaining_mode) + 1) * sizeof(wchar_t)),
                                0));
    }
  }
  ~Provider() { ::BCryptCloseAlgorithmProvider(handle_, 0); }
  Provider(const Provider&) = delete;
  Provider& operator=(const Provider&) = delete;

  BCRYPT_ALG_HANDLE get() const { return handle_; }

  static void Check(NTSTATUS status) {
    if (!BCRYPT_SUCCESS(status)) throw Error("暗号化の処理に失敗しました。");
  }

 private:
  BCRYPT_ALG_HANDLE handle_ = nullptr;
};

PUCHAR Bytes(std::string_view bytes) {
  return reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
}

std::string Hash(const wchar_t* algorithm, size_t digest_size, std::string_view data) {
  const Provider provider(algorithm);
  BCRYPT_HASH_HANDLE hash = nullptr;
  Provider::Check(::BCryptCreateHash(provider.get(), &hash, nullptr, 0, nullptr, 0, 0));
  std::string digest(digest_size, '\0');
  const NTSTATUS hashed = ::BCryptHashData(hash, Bytes(data), static_cast<ULONG>(data.size()), 0);
  const NTSTATUS finished =
      BCRYPT_SUCCESS(hashed)
          ? ::BCryptFinishHash(hash, Bytes(digest), static_cast<ULONG>(digest.size()), 0)
          : hashed;
  ::BCryptDestroyHash(hash);
  Provider::Check(finished);
  return digest;
}

// Runs the data through a key of the provider, chained from iv.
std::string Crypt(const Provider& provider, std::string_view key, std::string iv,
                  std::string_view data, bool encrypt) {
  BCRYPT_KEY_HANDLE handle = nullptr;
  Provider::Check(::BCryptGenerateSymmetricKey(provider.get(), &handle, nullptr, 0, Bytes(key),
                                               static_cast<ULONG>(key.size()), 0));
  std::string result(data.size(), '\0');
  ULONG produced = 0;
  const auto run = encrypt ? ::BCryptEncrypt : ::BCryptDecrypt;
  const NTSTATUS status = data.empty()
                              ? 0
                              : run(handle, Bytes(data), static_cast<ULONG>(data.size()), nullptr,
                                    Bytes(iv), static_cast<ULONG>(iv.size()), Bytes(result),
                                    static_cast<ULONG>(result.size()), &produced, 0);
  ::BCryptDestroyKey(handle);
  Provider::Check(status);
  return result;
}

constexpr size_t kAesBlockSize = 16;

}  // namespace

std::string AesCbc(std::string_view key, std::string_view iv, std::string_view data, bool encrypt) {
  if ((key.size() != 16 && key.size() != 32) || iv.size() != kAesBlockSize ||
      data.size() % kAesBlockSize != 0) {
    throw Error("AESの鍵またはデータの長さが不正です。");
  }
  const Provider provider(BCRYPT_AES_ALGORITHM, BCRYPT_CHAIN_MODE_CBC);
  return Crypt(provider, key, std::string(iv), data, encrypt);
}

std::string Md5(std::string_view data) { return Hash(BCRYPT_MD5_ALGORITHM, 16, data); }

std::string Sha256(std::string_view data) { return Hash(BCRYPT_SHA256_ALGORITHM, 32, data); }

std::string Sha384(std::string_view data) { return Hash(BCRYPT_SHA384_ALGORITHM, 48, data); }

std::string Sha512(std::string_view data) { return Hash(BCRYPT_SHA512_ALGORITHM, 64, data); }

// Through the older CryptoAPI, which every Windows (and Wine, unlike its CNG) has RC4 in. The
// enhanced provider takes keys of 40 to 128 bits, all that PDF encryption uses; a 40-bit key gets
// no salt, so that the cipher is plain RC4.
std::string Rc4(std::string_view key, std::string_view data) {
  if (key.size() < 5 || key.size() > 16) throw Error("RC4の鍵の長さが不正です。");
  HCRYPTPROV provider = 0;
  if (!::CryptAcquireContextW(&provider, nullptr, MS_ENHANCED_PROV_W, PROV_RSA_FULL,
                              CRYPT_VERIFYCONTEXT)) {
    throw Error("暗号化の機能を使えません。");
  }
  struct KeyBlob {
    BLOBHEADER header;
    DWORD size;
    BYTE key[16];
  } blob{{PLAINTEXTKEYBLOB, CUR_BLOB_VERSION, 0, CALG_RC4}, static_cast<DWORD>(key.size()), {}};
  std::copy(key.begin(), key.end(), blob.key);
  HCRYPTKEY handle = 0;
  std::string result(data);
  CRYPT_DATA_BLOB no_salt{0, nullptr};
  DWORD length = static_cast<DWORD>(result.size());
  const bool done =
      ::CryptImportKey(provider, reinterpret_cast<const BYTE*>(&blob), sizeof blob, 0,
                       CRYPT_NO_SALT, &handle) &&
      ::CryptSetKeyParam(handle, KP_SALT_EX, reinterpret_cast<BYTE*>(&no_salt), 0) &&
      (result.empty() ||
       ::CryptEncrypt(handle, 0, TRUE, 0, reinterpret_cast<BYTE*>(result.data()), &length, length));
  if (handle != 0) ::CryptDestroyKey(handle);
  ::CryptReleaseContext(provider, 0);
  if (!done) throw Error("暗号化の処理に失敗しました。");
  return result;
}

}  // namespace lumenquill
