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
// cross-reference stream, a stream whose /Length does not fit in the file, or an object that
// runs into the end of the file.
std::optional<std::string> DecryptObjectBody(TPDFAnalyst& reader, const SecurityHandler& handler,
                                             int32_t n);

}  // namespace lumenquill
