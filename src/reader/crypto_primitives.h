#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// The hashes and ciphers of PDF encryption, computed by nettle. Bytes go in and come out as
// strings of raw bytes.

std::string Md5(std::string_view data);
std::string Sha256(std::string_view data);
std::string Sha384(std::string_view data);
std::string Sha512(std::string_view data);

// RC4 (nettle's arcfour) with a key of 1 to 256 bytes; encrypting and decrypting are the same.
std::string Rc4(std::string_view key, std::string_view data);

// AES in CBC mode without padding, with a key of 16 or 32 bytes and a 16-byte iv. The data's
// length must be a multiple of 16.
std::string AesCbcEncrypt(std::string_view key, std::string_view iv, std::string_view data);
std::string AesCbcDecrypt(std::string_view key, std::string_view iv, std::string_view data);

}  // namespace lumenquill
