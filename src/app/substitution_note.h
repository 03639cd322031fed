#pragma once

#include <string>
#include <vector>

#include "codes/text_encoder.h"

namespace lumenquill {

// What the output encoding replaced in one file's text, for the user: the counts that are not
// zero, the unrepresentable characters with the first of them ("U+20B9F 𠮟"; a control or
// formatting character by its number alone). Empty when nothing was replaced.
std::string SubstitutionCounts(const Substitutions& substitutions);
// The warning for one file: the counts after words that say what they are.
std::string SubstitutionWarning(const Substitutions& substitutions);

// A file whose text had characters replaced, with the counts of SubstitutionCounts.
struct ReplacedCharacters {
  std::string path;
  std::string counts;
};

// One message for the files of a batch whose text had characters replaced: each path with its
// counts, up to kMaxListedFiles of them, and the number of the others.
inline constexpr size_t kMaxListedFiles = 20;
std::string SubstitutionSummary(const std::vector<ReplacedCharacters>& files);

}  // namespace lumenquill
