#include "platform/crypto_primitives.h"

#include <nettle/aes.h>
#include <nettle/arcfour.h>
#include <nettle/cbc.h>
#include <nettle/md5.h>
#include <nettle/sha2.h>

#include <cstdint>

#include "platform/error.h"

namespace lumenquill {
namespace {

const uint8_t* Data(std::string_view bytes) {
  return reinterpret_cast<const uint8_t*>(bytes.data());
}

uint8_t* Data(std::string& bytes) { return reinterpret_cast<uint8_t*>(bytes.data()); }

// Runs a nettle hash whose context type, update and digest functions are given.
template <typename Context, size_t kDigestSize>
std::string Hash(void (*init)(Context*), void (*update)(Context*, size_t, const uint8_t*),
                 void (*digest)(Context*, size_t, uint8_t*), std::string_view data) {
  Context context;
  init(&context);
  update(&context, data.size(), Data(data));
  std::string result(kDigestSize, '\0');
  digest(&context, kDigestSize, Data(result));
  return result;
}

// The block functions in the form nettle's CBC mode calls them.
void Aes128Encrypt(const void* context, size_t length, uint8_t* dst, const uint8_t* src) {
  aes128_encrypt(static_cast<const aes128_ctx*>(context), length, dst, src);
}
void Aes128Decrypt(const void* context, size_t length, uint8_t* dst, const uint8_t* src) {
  aes128_decrypt(static_cast<const aes128_ctx*>(context), length, dst, src);
}
void Aes256Encrypt(const void* context, size_t length, uint8_t* dst, const uint8_t* src) {
  aes256_encrypt(static_cast<const aes256_ctx*>(context), length, dst, src);
}
void Aes256Decrypt(const void* context, size_t length, uint8_t* dst, const uint8_t* src) {
  aes256_decrypt(static_cast<const aes256_ctx*>(context), length, dst, src);
}

}  // namespace

std::string AesCbc(std::string_view key, std::string_view iv, std::string_view data, bool encrypt) {
  if ((key.size() != AES128_KEY_SIZE && key.size() != AES256_KEY_SIZE) ||
      iv.size() != AES_BLOCK_SIZE || data.size() % AES_BLOCK_SIZE != 0) {
    throw Error("AESの鍵またはデータの長さが不正です。");
  }
  std::string chain(iv);
  std::string result(data.size(), '\0');
  const auto run = [&](const void* context, nettle_cipher_func* block) {
    (encrypt ? cbc_encrypt : cbc_decrypt)(context, block, AES_BLOCK_SIZE, Data(chain), data.size(),
                                          Data(result), Data(data));
  };
  if (key.size() == AES128_KEY_SIZE) {
    aes128_ctx context;
    if (encrypt) {
      aes128_set_encrypt_key(&context, Data(key));
    } else {
      aes128_set_decrypt_key(&context, Data(key));
    }
    run(&context, encrypt ? Aes128Encrypt : Aes128Decrypt);
  } else {
    aes256_ctx context;
    if (encrypt) {
      aes256_set_encrypt_key(&context, Data(key));
    } else {
      aes256_set_decrypt_key(&context, Data(key));
    }
    run(&context, encrypt ? Aes256Encrypt : Aes256Decrypt);
  }
  return result;
}

std::string Md5(std::string_view data) {
  return Hash<md5_ctx, MD5_DIGEST_SIZE>(md5_init, md5_update, md5_digest, data);
}

std::string Sha256(std::string_view data) {
  return Hash<sha256_ctx, SHA256_DIGEST_SIZE>(sha256_init, sha256_update, sha256_digest, data);
}

std::string Sha384(std::string_view data) {
  return Hash<sha512_ctx, SHA384_DIGEST_SIZE>(sha384_init, sha384_update, sha384_digest, data);
}

std::string Sha512(std::string_view data) {
  return Hash<sha512_ctx, SHA512_DIGEST_SIZE>(sha512_init, sha512_update, sha512_digest, data);
}

std::string Rc4(std::string_view key, std::string_view data) {
  if (key.size() < 5 || key.size() > 16) {
    throw Error("RC4の鍵の長さが不正です。");
  }
  arcfour_ctx context;
  arcfour_set_key(&context, key.size(), Data(key));
  std::string result(data.size(), '\0');
  arcfour_crypt(&context, data.size(), Data(result), Data(data));
  return result;
}

}  // namespace lumenquill
