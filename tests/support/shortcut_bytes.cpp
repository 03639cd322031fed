#include "support/shortcut_bytes.h"

#include <cstdint>

namespace lumenquill::testing {
namespace {

void PutLE(std::string& bytes, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
}

// The header with the given link flags.
std::string Header(uint32_t flags) {
  std::string link;
  PutLE(link, 0x4C, 4);
  link += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
  PutLE(link, flags, 4);
  link.append(76 - link.size(), '\0');
  return link;
}

}  // namespace

std::string NetworkShortcut(const std::string& share, const std::string& suffix) {
  std::string link = Header(0x02 | 0x80);
  std::string network;
  PutLE(network, 0x14 + static_cast<uint32_t>(share.size()) + 1, 4);  // size
  PutLE(network, 0, 4);                                               // flags
  PutLE(network, 0x14, 4);                                            // net name offset
  PutLE(network, 0, 4);                                               // device name offset
  PutLE(network, 0x00020000, 4);                                      // provider: LanMan
  network += share + '\0';
  const uint32_t header_size = 0x1C;
  const uint32_t suffix_offset = header_size + static_cast<uint32_t>(network.size());
  PutLE(link, suffix_offset + static_cast<uint32_t>(suffix.size()) + 1, 4);
  PutLE(link, header_size, 4);
  PutLE(link, 2, 4);  // common network relative link and path suffix
  PutLE(link, 0, 4);
  PutLE(link, 0, 4);
  PutLE(link, header_size, 4);
  PutLE(link, suffix_offset, 4);
  return link + network + suffix + '\0';
}

std::string EnvironmentShortcut(const std::string& path) {
  std::string link = Header(0x80 | 0x200);
  PutLE(link, 0x314, 4);
  PutLE(link, 0xA0000001, 4);
  std::string ansi = path;
  ansi.resize(260, '\0');
  link += ansi;
  for (size_t i = 0; i < 260; ++i) {
    PutLE(link, i < path.size() ? static_cast<unsigned char>(path[i]) : 0, 2);
  }
  PutLE(link, 0, 4);  // the terminal block
  return link;
}

std::string Shortcut(const std::string& base_path, const std::string& relative_path) {
  std::string link = Header(0x02 | 0x80 | (relative_path.empty() ? 0 : 0x08));

  std::string volume;
  PutLE(volume, 0x11, 4);  // size
  PutLE(volume, 3, 4);     // fixed drive
  PutLE(volume, 0x1234, 4);
  PutLE(volume, 0x10, 4);  // label offset
  volume.push_back('\0');
  const uint32_t header_size = 0x1C;
  const uint32_t base_offset = header_size + static_cast<uint32_t>(volume.size());
  const uint32_t suffix_offset = base_offset + static_cast<uint32_t>(base_path.size()) + 1;
  const uint32_t info_size = suffix_offset + 1;
  PutLE(link, info_size, 4);
  PutLE(link, header_size, 4);
  PutLE(link, 1, 4);  // volume ID and local base path
  PutLE(link, header_size, 4);
  PutLE(link, base_offset, 4);
  PutLE(link, 0, 4);
  PutLE(link, suffix_offset, 4);
  link += volume + base_path + '\0' + '\0';

  if (!relative_path.empty()) {
    PutLE(link, static_cast<uint32_t>(relative_path.size()), 2);
    for (const char c : relative_path) PutLE(link, static_cast<unsigned char>(c), 2);
  }
  return link;
}

}  // namespace lumenquill::testing
