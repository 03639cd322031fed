#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace lumenquill::testing {

struct JisCharacter {
  uint16_t jis;
  uint16_t sjis;
  uint16_t unicode;
  uint16_t cid;
};

// tests/data/jis0208.table: every JIS X 0208 character with its Shift-JIS code, its Unicode
// value from code page 932 and its CID, as Python's codecs give them. The including target
// defines LUMENQUILL_TEST_DATA_DIR.
inline std::vector<JisCharacter> JisX0208() {
  std::ifstream in(LUMENQUILL_TEST_DATA_DIR "/jis0208.table");
  std::vector<JisCharacter> characters;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    unsigned jis = 0, sjis = 0, unicode = 0, cid = 0;
    fields >> std::hex >> jis >> sjis >> unicode >> std::dec >> cid;
    characters.push_back({static_cast<uint16_t>(jis), static_cast<uint16_t>(sjis),
                          static_cast<uint16_t>(unicode), static_cast<uint16_t>(cid)});
  }
  return characters;
}

inline std::string BigEndian(uint16_t value) {
  return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
}

}  // namespace lumenquill::testing
