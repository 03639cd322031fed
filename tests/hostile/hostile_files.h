#pragma once

#include <string>
#include <vector>

namespace lumenquill::testing {

// What the conversion of a hostile file must end in.
enum class Outcome {
  kFails,     // a failure message, nothing written
  kConverts,  // a text file written
  kEither,    // either of those (damaged copies of real files)
};

struct HostileFile {
  std::string name;
  std::string bytes;
  Outcome outcome;
};

// Files built to hurt: real test files truncated at many points and changed at many single
// bytes, and documents whose counts, lengths, chains, trees, forms, streams, CMaps, nesting
// and inline images are out of all proportion.
std::vector<HostileFile> HostileFiles();
// Real files of the newer formats (cross-reference and object streams, encryption) truncated
// at many points and changed at many single bytes, for reading with the newer formats on.
std::vector<HostileFile> NewerHostileFiles();

}  // namespace lumenquill::testing
