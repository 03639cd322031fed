#include "app/substitution_note.h"

#include <algorithm>
#include <cstdio>

#include "codes/extracted_text.h"

namespace lumenquill {
namespace {

// Characters that would move, hide or break the text around them when shown: controls, line
// and paragraph separators, bidirectional and other formatting characters, tags.
bool ShowsAsItself(char32_t c) {
  return c >= 0xA0 && c != 0xAD && !(c >= 0x200B && c <= 0x200F) && !(c >= 0x2028 && c <= 0x202E) &&
         !(c >= 0x2060 && c <= 0x206F) && c != 0xFEFF && !(c >= 0xFFF9 && c <= 0xFFFB) &&
         !(c >= 0xE0000 && c <= 0xE007F);
}

std::string CharacterName(char32_t c) {
  char number[16];
  std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(c));
  std::string name = number;
  if (ShowsAsItself(c)) {
    name += ' ';
    AppendExtracted(c, name);
  }
  return name;
}

}  // namespace

std::string SubstitutionCounts(const Substitutions& substitutions) {
  std::string note;
  if (substitutions.unrepresentable > 0) {
    note = "文字コードで表せない文字 " + std::to_string(substitutions.unrepresentable) + " 個";
    std::string examples;
    for (const char32_t c : substitutions.examples) {
      examples += (examples.empty() ? "" : "、") + CharacterName(c);
    }
    if (!examples.empty()) note += " (" + examples + ")";
  }
  if (substitutions.unknown > 0) {
    if (!note.empty()) note += "、";
    note += "変換表にない文字コード " + std::to_string(substitutions.unknown) + " 個";
  }
  return note;
}

std::string SubstitutionWarning(const Substitutions& substitutions) {
  return "置き換えた文字があります: " + SubstitutionCounts(substitutions);
}

std::string SubstitutionSummary(const std::vector<ReplacedCharacters>& files) {
  std::string message = "次のファイルのテキストでは、一部の文字を置き換えました。";
  const size_t listed = std::min(files.size(), kMaxListedFiles);
  for (size_t i = 0; i < listed; ++i) {
    message += "\r\n\r\n" + files[i].path + "\r\n" + files[i].counts;
  }
  if (files.size() > listed) {
    message += "\r\n\r\nほか " + std::to_string(files.size() - listed) + " 個のファイル";
  }
  return message;
}

}  // namespace lumenquill
