#include "app/shell_link.h"

#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string_view>

#include "app/path_names.h"
#include "platform/environment_variables.h"
#include "platform/file_attributes.h"
#include "platform/file_reading.h"
#include "platform/path_text.h"
#include "platform/shift_jis_text.h"
#include "platform/utf16_text.h"

namespace lumenquill {
namespace {

constexpr uint32_t kHeaderSize = 0x4C;
constexpr unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr uint32_t kHasLinkTargetIdList = 0x01;
constexpr uint32_t kHasLinkInfo = 0x02;
constexpr uint32_t kHasName = 0x04;
constexpr uint32_t kHasRelativePath = 0x08;
constexpr uint32_t kHasWorkingDir = 0x10;
constexpr uint32_t kHasArguments = 0x20;
constexpr uint32_t kHasIconLocation = 0x40;
constexpr uint32_t kIsUnicode = 0x80;
constexpr uint32_t kHasExpString = 0x200;
constexpr uint32_t kVolumeIdAndLocalBasePath = 0x01;
constexpr uint32_t kCommonNetworkRelativeLink = 0x02;
// The extra data block that holds the target as a path with environment variables.
constexpr uint32_t kEnvironmentVariableBlock = 0xA0000001;
constexpr size_t kEnvironmentBlockSize = 0x314;

// Little-endian reads that check every bound: a shortcut is untrusted input.
class LinkBytes {
 public:
  explicit LinkBytes(std::string_view bytes) : bytes_(bytes) {}

  std::optional<uint32_t> U32(size_t at) const { return Unsigned(at, 4); }
  std::optional<uint32_t> U16(size_t at) const { return Unsigned(at, 2); }
  bool Has(size_t at, size_t count) const {
    return at <= bytes_.size() && count <= bytes_.size() - at;
  }

  // A NUL-terminated byte string starting at, within limit.
  std::optional<std::string> AnsiString(size_t at, size_t limit) const {
    if (at >= limit || limit > bytes_.size()) return std::nullopt;
    const size_t end = bytes_.find('\0', at);
    if (end == std::string_view::npos || end >= limit) return std::nullopt;
    return std::string(bytes_.substr(at, end - at));
  }

  // A NUL-terminated UTF-16 string starting at, within limit, as UTF-8.
  std::optional<std::string> UnicodeString(size_t at, size_t limit) const {
    std::u16string units;
    for (size_t i = at;; i += 2) {
      if (i + 2 > limit || !Has(i, 2)) return std::nullopt;
      const uint16_t unit = *U16(i);
      if (unit == 0) break;
      units.push_back(unit);
    }
    return Utf16ToUtf8(units);
  }

  // count UTF-16 units at, as UTF-8.
  std::optional<std::string> CountedUnicode(size_t at, size_t count) const {
    if (!Has(at, count * 2)) return std::nullopt;
    std::u16string units;
    for (size_t i = 0; i < count; ++i) units.push_back(static_cast<char16_t>(*U16(at + 2 * i)));
    return Utf16ToUtf8(units);
  }

  std::optional<std::string> CountedAnsi(size_t at, size_t count) const {
    if (!Has(at, count)) return std::nullopt;
    return std::string(bytes_.substr(at, count));
  }

 private:
  std::optional<uint32_t> Unsigned(size_t at, size_t width) const {
    if (!Has(at, width)) return std::nullopt;
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) {
      value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[at + i])) << (8 * i);
    }
    return value;
  }

  std::string_view bytes_;
};

// Text in the system code page of the machine that made the shortcut (Shift-JIS for the
// users of this program), as UTF-8; bytes that are not Shift-JIS are kept as they are.
std::string FromAnsi(const std::string& bytes) { return ShiftJisToUtf8(bytes).value_or(bytes); }

// The path with the separators of this system (a shortcut always has "\\").
std::string WithSystemSeparators(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = kPathSeparator;
  }
  return path;
}

struct LinkTargets {
  std::string base_path;         // local base path joined with the common path suffix
  std::string network_path;      // the share's name joined with the common path suffix
  std::string relative_path;     // relative to the shortcut's folder
  std::string environment_path;  // kept with %VARIABLES% (under a profile), here expanded
};

// A folder path and the path below it, with one "\\" between them.
std::string JoinedWithBackslash(const std::string& folder, const std::string& below) {
  if (below.empty()) return folder;
  if (!folder.empty() && folder.back() == '\\') return folder + below;
  return folder + "\\" + below;
}

// A string of the link information: the Unicode one at the offset found at unicode_field when
// the header is long enough to have that field, else the system code page's at the offset found
// at ansi_field. Offsets count from `at`, the start of the structure, and stay within limit.
std::optional<std::string> InfoString(const LinkBytes& bytes, size_t at, size_t limit,
                                      size_t header_size, size_t ansi_field, size_t unicode_field) {
  if (header_size > unicode_field) {
    const auto unicode = bytes.U32(at + unicode_field);
    if (unicode && *unicode) return bytes.UnicodeString(at + *unicode, limit);
  }
  const auto ansi = bytes.U32(at + ansi_field);
  if (!ansi || !*ansi) return std::nullopt;
  const auto text = bytes.AnsiString(at + *ansi, limit);
  return text ? std::optional<std::string>(FromAnsi(*text)) : std::nullopt;
}

// The share of a network path (\\server\share) from the common network relative link structure
// at `at`.
std::optional<std::string> NetworkShare(const LinkBytes& bytes, size_t at, size_t limit) {
  const auto size = bytes.U32(at);
  const auto net_name = bytes.U32(at + 8);
  if (!size || !net_name || !bytes.Has(at, *size) || at + *size > limit) return std::nullopt;
  // The Unicode offsets exist when the ANSI name's offset leaves room for them.
  return InfoString(bytes, at, at + *size, *net_name, 8, 20);
}

std::optional<LinkTargets> ParseLink(std::string_view data) {
  const LinkBytes bytes(data);
  if (bytes.U32(0) != kHeaderSize || !bytes.Has(0, kHeaderSize) ||
      std::memcmp(data.data() + 4, kLinkClsid, sizeof kLinkClsid) != 0) {
    return std::nullopt;
  }
  const uint32_t flags = *bytes.U32(20);
  size_t at = kHeaderSize;
  if (flags & kHasLinkTargetIdList) {
    const auto size = bytes.U16(at);
    if (!size) return std::nullopt;
    at += 2 + *size;
  }

  LinkTargets targets;
  if (flags & kHasLinkInfo) {
    const auto size = bytes.U32(at);
    const auto header_size = bytes.U32(at + 4);
    const auto info_flags = bytes.U32(at + 8);
    if (!size || !header_size || !info_flags || !bytes.Has(at, *size)) return std::nullopt;
    const size_t limit = at + *size;
    const auto suffix = InfoString(bytes, at, limit, *header_size, 24, 32);
    if (*info_flags & kVolumeIdAndLocalBasePath) {
      const auto base = InfoString(bytes, at, limit, *header_size, 16, 28);
      if (!base) return std::nullopt;
      targets.base_path = WithSystemSeparators(*base + suffix.value_or(""));
    }
    const auto network_offset = bytes.U32(at + 20);
    if ((*info_flags & kCommonNetworkRelativeLink) && network_offset && *network_offset) {
      if (const auto share = NetworkShare(bytes, at + *network_offset, limit)) {
        targets.network_path =
            WithSystemSeparators(JoinedWithBackslash(*share, suffix.value_or("")));
      }
    }
    at = limit;
  }

  // The string data: each present string a count and its characters, in this order.
  const bool unicode = flags & kIsUnicode;
  for (const uint32_t item :
       {kHasName, kHasRelativePath, kHasWorkingDir, kHasArguments, kHasIconLocation}) {
    if (!(flags & item)) continue;
    const auto count = bytes.U16(at);
    if (!count) return std::nullopt;
    const auto text =
        unicode ? bytes.CountedUnicode(at + 2, *count) : bytes.CountedAnsi(at + 2, *count);
    if (!text) return std::nullopt;
    if (item == kHasRelativePath)
      targets.relative_path = WithSystemSeparators(unicode ? *text : FromAnsi(*text));
    at += 2 + *count * (unicode ? 2 : 1);
  }

  // The extra data blocks, each its size and signature first, up to a block shorter than that.
  while (flags & kHasExpString) {
    const auto size = bytes.U32(at);
    const auto signature = bytes.U32(at + 4);
    if (!size || *size < 8 || !signature || !bytes.Has(at, *size)) break;
    if (*signature == kEnvironmentVariableBlock && *size == kEnvironmentBlockSize) {
      // 260 bytes of the system code page's path, then 260 UTF-16 units of the same.
      const size_t end = at + *size;
      auto path = bytes.UnicodeString(at + 8 + 260, end);
      if (!path || path->empty()) {
        const auto ansi = bytes.AnsiString(at + 8, at + 8 + 260);
        if (ansi) path = FromAnsi(*ansi);
      }
      if (path) targets.environment_path = ExpandEnvironmentVariables(WithSystemSeparators(*path));
      break;
    }
    at += *size;
  }
  return targets;
}

}  // namespace

std::string ResolveLink(const std::string& path) {
  if (!HasExtension(path, ".lnk")) return path;
  // A shortcut is a few kilobytes; only its first megabyte is read.
  constexpr size_t kMaxLinkSize = 1 << 20;
  const std::optional<LinkTargets> targets = ParseLink(ReadFileStart(path, kMaxLinkSize));
  if (!targets) return "";
  for (const std::string* candidate :
       {&targets->base_path, &targets->network_path, &targets->environment_path}) {
    if (!candidate->empty() && FileExists(*candidate)) return *candidate;
  }
  if (!targets->relative_path.empty()) {
    const std::string relative = PathFromFolderOf(path, targets->relative_path);
    if (FileExists(relative)) return relative;
  }
  // None exists here (a share out of reach, say): the path the shortcut names, for the message.
  return targets->base_path.empty() ? targets->network_path : targets->base_path;
}

}  // namespace lumenquill
