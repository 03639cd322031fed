#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// The hashes and ciphers of PDF encryption, computed by nettle on Linux and by the system's
// cryptography services on Windows. Bytes go in and come out as strings of
// raw bytes.

std::string Md5(std::string_view data);
std::string Sha256(std::string_view data);
std::string Sha384(std::string_view data);
std::string Sha512(std::string_view data);

// RC4 with a key of 5 to 16 bytes (40 to 128 bits, as PDF encryption uses); encrypting and
// decrypting are the same.
std::string Rc4(std::string_view key, std::string_view data);

// AES in CBC mode without padding, with a key of 16 or 32 bytes and a 16-byte iv. The data's
// length must be a multiple of 16. AesCbcEncrypt and AesCbcDecrypt name the direction.
std::string AesCbc(std::string_view key, std::string_view iv, std::string_view data, bool encrypt);
inline std::string AesCbcEncrypt(std::string_view key, std::string_view iv, std::string_view data) {
  return AesCbc(key, iv, data, true);
}
inline std::string AesCbcDecrypt(std::string_view key, std::string_view iv, std::string_view data) {
  return AesCbc(key, iv, data, false);
}

}  // namespace lumenquill
