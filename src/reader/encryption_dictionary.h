#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lumenquill {

class ObjectResolver;

// How strings or streams of an encrypted document are encrypted.
enum class CryptMethod {
  kIdentity,     // not at all: /Identity, or a crypt filter with /CFM /None
  kRc4,          // /V2, and every string and stream below /V 4
  kAes128,       // /AESV2
  kAes256,       // /AESV3
  kUnsupported,  // a crypt filter this reader does not know, or a name /CF lacks
};

// The entries of an encryption dictionary that the standard security handler uses. Strings
// hold their bytes; a missing number is 0.
struct EncryptionDictionary {
  std::string filter;  // "/Standard" for the standard security handler
  int32_t version = 0;
  int32_t revision = 0;
  int32_t length_bits = 0;
  int32_t permissions = 0;
  std::string owner_hash;             // /O
  std::string user_hash;              // /U
  std::string user_encrypted_key;     // /UE
  std::string encrypted_permissions;  // /Perms
  bool encrypt_metadata = true;
  CryptMethod stream_method = CryptMethod::kIdentity;
  CryptMethod string_method = CryptMethod::kIdentity;
};

// Reads the encryption dictionary that object n holds, references followed. Below /V 4 both
// methods are RC4; from /V 4 on they are those of the crypt filters that /StmF and /StrF name
// in /CF (/Identity when they are missing). Returns nothing when object n holds no dictionary.
std::optional<EncryptionDictionary> ReadEncryptionDictionary(ObjectResolver& objects, int32_t n);

}  // namespace lumenquill
