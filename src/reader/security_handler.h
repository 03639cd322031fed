#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "reader/encryption_dictionary.h"

namespace lumenquill {

// The standard security handler opened with the empty user password: the file key computed
// and checked against /U, and the decryption of the strings and streams of each object.
// Revisions 2 to 4 (RC4 of 40 to 128 bits, AES-128) and 5 and 6 (AES-256).
class SecurityHandler final {
 public:
  // The handler, or nothing when the dictionary is not one of the standard handler with a
  // known revision and crypt methods, or when the empty password is not the user password.
  static std::optional<SecurityHandler> OpenWithEmptyPassword(
      const EncryptionDictionary& dictionary, std::string_view document_id);

  // Whether the permissions let the text be extracted: bit 5 of /P (copying) or, from
  // revision 3 on, bit 10 (extraction for accessibility).
  bool AllowsTextExtraction() const;
  bool EncryptsMetadata() const { return encrypt_metadata_; }
  const std::string& FileKey() const { return file_key_; }

  // The plain bytes of a string, or of a stream's data, of object n with generation
  // generation. AES data lacking its 16-byte initialisation vector decrypts to nothing.
  std::string DecryptString(int32_t n, int32_t generation, std::string_view data) const {
    return Decrypt(string_method_, n, generation, data);
  }
  std::string DecryptStream(int32_t n, int32_t generation, std::string_view data) const {
    return Decrypt(stream_method_, n, generation, data);
  }

 private:
  SecurityHandler(const EncryptionDictionary& dictionary, std::string file_key);
  std::string Decrypt(CryptMethod method, int32_t n, int32_t generation,
                      std::string_view data) const;
  // The key of one object's data: from revision 5 on the file key itself.
  std::string ObjectKey(CryptMethod method, int32_t n, int32_t generation) const;

  std::string file_key_;
  int32_t revision_;
  int32_t permissions_;
  bool encrypt_metadata_;
  CryptMethod stream_method_;
  CryptMethod string_method_;
};

}  // namespace lumenquill
