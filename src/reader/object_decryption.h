#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lumenquill {

class SecurityHandler;
class TPDFAnalyst;

// The body of object n (between "obj" and "endobj") decrypted: every string decrypted and
// written as a hexadecimal string, stream data decrypted with /Length set to its new length.
// Returns nothing for an object that stays as it is: one whose header does not name n, a
// cross-reference stream, or a stream without /Length or whose data would pass the end of the
// file. Raises ReadError when the object runs into the end of the file.
std::optional<std::string> DecryptObjectBody(TPDFAnalyst& reader, const SecurityHandler& handler,
                                             int32_t n);

}  // namespace lumenquill
