#include "reader/security_handler.h"

#include <algorithm>
#include <utility>

#include "platform/crypto_primitives.h"

namespace lumenquill {
namespace {

// The bytes that pad a password to 32 bytes; the empty password is these bytes alone.
constexpr std::string_view kPasswordPadding(
    "\x28\xBF\x4E\x5E\x4E\x75\x8A\x41\x64\x00\x4E\x56\xFF\xFA\x01\x08"
    "\x2E\x2E\x00\xB6\xD0\x68\x3E\x80\x2F\x0C\xA9\xFE\x64\x53\x69\x7A",
    32);
constexpr size_t kHashSize = 32;  // /O and /U up to revision 4; the hash part of /U after
constexpr size_t kSaltSize = 8;
constexpr size_t kAesBlockSize = 16;
const std::string kZeroIv(kAesBlockSize, '\0');

std::string LittleEndian(uint32_t value, size_t bytes) {
  std::string result;
  for (size_t i = 0; i < bytes; ++i) result.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return result;
}

bool UsesAes(CryptMethod method) {
  return method == CryptMethod::kAes128 || method == CryptMethod::kAes256;
}

// The key length in bytes of revisions 2 to 4: 5 for revision 2, else /Length in bits (40 to
// 128 in steps of 8; 40 when missing below /V 4, 128 from /V 4 on); 0 when it is invalid.
size_t Rc4KeyLength(const EncryptionDictionary& dictionary) {
  if (dictionary.revision == 2) return 5;
  int32_t bits = dictionary.length_bits;
  if (bits == 0) bits = dictionary.version >= 4 ? 128 : 40;
  if (bits < 40 || bits > 128 || bits % 8 != 0) return 0;
  return static_cast<size_t>(bits / 8);
}

// Revisions 2 to 4: the file key of the empty password, when /U confirms it.
std::optional<std::string> Md5FileKey(const EncryptionDictionary& dictionary,
                                      std::string_view document_id) {
  const size_t length = Rc4KeyLength(dictionary);
  if (length == 0 || dictionary.owner_hash.size() < kHashSize ||
      dictionary.user_hash.size() < kHashSize) {
    return std::nullopt;
  }
  std::string input(kPasswordPadding);
  input += dictionary.owner_hash.substr(0, kHashSize);
  input += LittleEndian(static_cast<uint32_t>(dictionary.permissions), 4);
  input += document_id;
  if (dictionary.revision >= 4 && !dictionary.encrypt_metadata) input += "\xFF\xFF\xFF\xFF";
  std::string hash = Md5(input);
  if (dictionary.revision >= 3) {
    for (int round = 0; round < 50; ++round) hash = Md5(hash.substr(0, length));
  }
  std::string key = hash.substr(0, length);

  std::string check;
  size_t compared = kHashSize;
  if (dictionary.revision == 2) {
    check = Rc4(key, kPasswordPadding);
  } else {
    check = Rc4(key, Md5(std::string(kPasswordPadding) + std::string(document_id)));
    for (int round = 1; round <= 19; ++round) {
      std::string round_key = key;
      for (char& byte : round_key) byte = static_cast<char>(byte ^ round);
      check = Rc4(round_key, check);
    }
    compared = 16;
  }
  if (check.compare(0, compared, dictionary.user_hash, 0, compared) != 0) return std::nullopt;
  return key;
}

// The hash of revision 6 for the empty password and no owner data: SHA-256 of the salt, then
// at least 64 rounds of AES-128 over the previous hash, each hashed again with SHA-256, -384 or
// -512 as the AES output picks, until the last output byte allows the end.
std::string HardenedHash(std::string_view salt) {
  std::string hash = Sha256(salt);
  std::string encrypted;
  for (int32_t round = 0; round < 64 || static_cast<uint8_t>(encrypted.back()) > round - 32;) {
    std::string repeated;
    repeated.reserve(hash.size() * 64);
    for (int copy = 0; copy < 64; ++copy) repeated += hash;
    encrypted = AesCbcEncrypt(std::string_view(hash).substr(0, 16),
                              std::string_view(hash).substr(16, 16), repeated);
    // The first 16 bytes as a big-endian number modulo 3, which is their sum modulo 3.
    int32_t sum = 0;
    for (size_t i = 0; i < 16; ++i) sum += static_cast<uint8_t>(encrypted[i]);
    switch (sum % 3) {
      case 0:
        hash = Sha256(encrypted);
        break;
      case 1:
        hash = Sha384(encrypted);
        break;
      default:
        hash = Sha512(encrypted);
        break;
    }
    ++round;
  }
  return hash.substr(0, kHashSize);
}

// Revisions 5 and 6: the file key of the empty password, decrypted from /UE, when the
// validation salt of /U confirms the password.
std::optional<std::string> Sha2FileKey(const EncryptionDictionary& dictionary) {
  const std::string& user = dictionary.user_hash;
  if (user.size() < kHashSize + 2 * kSaltSize || dictionary.user_encrypted_key.size() < 32) {
    return std::nullopt;
  }
  const auto hash = [&dictionary](std::string_view salt) {
    return dictionary.revision == 5 ? Sha256(salt) : HardenedHash(salt);
  };
  const std::string_view validation_salt = std::string_view(user).substr(kHashSize, kSaltSize);
  const std::string_view key_salt = std::string_view(user).substr(kHashSize + kSaltSize, kSaltSize);
  if (hash(validation_salt) != user.substr(0, kHashSize)) return std::nullopt;
  return AesCbcDecrypt(hash(key_salt), kZeroIv, dictionary.user_encrypted_key.substr(0, 32));
}

// /Perms decrypted with the file key holds "adb" at bytes 9 to 11 and /P in its first four
// bytes; when it does, those permissions count, as the copy that editing /P cannot change.
int32_t CheckedPermissions(const EncryptionDictionary& dictionary, const std::string& key) {
  if (dictionary.revision < 5 || dictionary.encrypted_permissions.size() < kAesBlockSize) {
    return dictionary.permissions;
  }
  const std::string perms =
      AesCbcDecrypt(key, kZeroIv, dictionary.encrypted_permissions.substr(0, kAesBlockSize));
  if (perms.compare(9, 3, "adb") != 0) return dictionary.permissions;
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= uint32_t{static_cast<uint8_t>(perms[i])} << (8 * i);
  return static_cast<int32_t>(value);
}

}  // namespace

std::optional<SecurityHandler> SecurityHandler::OpenWithEmptyPassword(
    const EncryptionDictionary& dictionary, std::string_view document_id) {
  if (dictionary.filter != "/Standard" || dictionary.stream_method == CryptMethod::kUnsupported ||
      dictionary.string_method == CryptMethod::kUnsupported) {
    return std::nullopt;
  }
  std::optional<std::string> key;
  if (dictionary.revision >= 2 && dictionary.revision <= 4) {
    key = Md5FileKey(dictionary, document_id);
  } else if (dictionary.revision == 5 || dictionary.revision == 6) {
    key = Sha2FileKey(dictionary);
  }
  if (!key) return std::nullopt;
  return SecurityHandler(dictionary, std::move(*key));
}

SecurityHandler::SecurityHandler(const EncryptionDictionary& dictionary, std::string file_key)
    : file_key_(std::move(file_key)),
      revision_(dictionary.revision),
      permissions_(CheckedPermissions(dictionary, file_key_)),
      encrypt_metadata_(dictionary.encrypt_metadata),
      stream_method_(dictionary.stream_method),
      string_method_(dictionary.string_method) {}

bool SecurityHandler::AllowsTextExtraction() const {
  constexpr int32_t kCopyBit = 1 << 4;
  constexpr int32_t kAccessibilityBit = 1 << 9;
  return (permissions_ & kCopyBit) != 0 || (revision_ >= 3 && (permissions_ & kAccessibilityBit));
}

std::string SecurityHandler::ObjectKey(CryptMethod method, int32_t n, int32_t generation) const {
  if (revision_ >= 5) return file_key_;
  std::string input = file_key_;
  input += LittleEndian(static_cast<uint32_t>(n), 3);
  input += LittleEndian(static_cast<uint32_t>(generation), 2);
  if (method == CryptMethod::kAes128) input += "sAlT";
  return Md5(input).substr(0, std::min<size_t>(file_key_.size() + 5, 16));
}

std::string SecurityHandler::Decrypt(CryptMethod method, int32_t n, int32_t generation,
                                     std::string_view data) const {
  if (method == CryptMethod::kIdentity) return std::string(data);
  const std::string key = ObjectKey(method, n, generation);
  if (!UsesAes(method)) return Rc4(key, data);
  // AES-256 needs the 32-byte key of revisions 5 and 6, AES-128 a 16-byte one.
  if (key.size() != (method == CryptMethod::kAes256 ? 32u : 16u)) return {};
  if (data.size() < kAesBlockSize) return {};
  // A last partial block cannot be decrypted and is dropped.
  const size_t whole = (data.size() - kAesBlockSize) / kAesBlockSize * kAesBlockSize;
  std::string plain =
      AesCbcDecrypt(key, data.substr(0, kAesBlockSize), data.substr(kAesBlockSize, whole));
  // The padding: 1 to 16 bytes, each holding its count.
  const size_t padding = plain.empty() ? 0 : static_cast<uint8_t>(plain.back());
  if (padding >= 1 && padding <= kAesBlockSize && padding <= plain.size()) {
    plain.resize(plain.size() - padding);
  }
  return plain;
}

}  // namespace lumenquill
