#include "app/shell_link.h"

#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string_view>

#include "app/path_names.h"
#include "platform/file_attributes.h"
#include "platform/file_reading.h"
#include "platform/path_text.h"
#include "platform/shift_jis_text.h"

namespace lumenquill {
namespace {

constexpr uint32_t kHeaderSize = 0x4C;
constexpr unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr uint32_t kHasLinkTargetIdList = 0x01;
constexpr uint32_t kHasLinkInfo = 0x02;
constexpr uint32_t kHasName = 0x04;
constexpr uint32_t kHasRelativePath = 0x08;
constexpr uint32_t kIsUnicode = 0x80;
constexpr uint32_t kVolumeIdAndLocalBasePath = 0x01;

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
    return Utf8(units);
  }

  // count UTF-16 units at, as UTF-8.
  std::optional<std::string> CountedUnicode(size_t at, size_t count) const {
    if (!Has(at, count * 2)) return std::nullopt;
    std::u16string units;
    for (size_t i = 0; i < count; ++i) units.push_back(static_cast<char16_t>(*U16(at + 2 * i)));
    return Utf8(units);
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

  static std::string Utf8(const std::u16string& units) {
    std::string text;
    for (size_t i = 0; i < units.size(); ++i) {
      uint32_t code = units[i];
      if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
          units[i + 1] <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
      }
      if (code < 0x80) {
        text.push_back(static_cast<char>(code));
      } else if (code < 0x800) {
        text.push_back(static_cast<char>(0xC0 | code >> 6));
        text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
      } else if (code < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | code >> 12));
        text.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
      } else {
        text.push_back(static_cast<char>(0xF0 | code >> 18));
        text.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
      }
    }
    return text;
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
  std::string base_path;      // local base path joined with the common path suffix
  std::string relative_path;  // relative to the shortcut's folder
};

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
    if (*info_flags & kVolumeIdAndLocalBasePath) {
      const auto base_offset = bytes.U32(at + 16);
      const auto suffix_offset = bytes.U32(at + 24);
      if (!base_offset || !suffix_offset) return std::nullopt;
      std::optional<std::string> base;
      std::optional<std::string> suffix;
      if (*header_size >= 0x24) {
        const auto base_unicode = bytes.U32(at + 28);
        const auto suffix_unicode = bytes.U32(at + 32);
        if (base_unicode && *base_unicode) base = bytes.UnicodeString(at + *base_unicode, limit);
        if (suffix_unicode && *suffix_unicode) {
          suffix = bytes.UnicodeString(at + *suffix_unicode, limit);
        }
      }
      if (!base) {
        const auto ansi = bytes.AnsiString(at + *base_offset, limit);
        if (!ansi) return std::nullopt;
        base = FromAnsi(*ansi);
      }
      if (!suffix) {
        const auto ansi = bytes.AnsiString(at + *suffix_offset, limit);
        suffix = ansi ? FromAnsi(*ansi) : std::string();
      }
      targets.base_path = WithSystemSeparators(*base + *suffix);
    }
    at = limit;
  }

  // The string data: the name, then the relative path, each a count and its characters.
  const bool unicode = flags & kIsUnicode;
  for (const uint32_t item : {kHasName, kHasRelativePath}) {
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
  return targets;
}

}  // namespace

std::string ResolveLink(const std::string& path) {
  if (!HasExtension(path, ".lnk")) return path;
  // A shortcut is a few kilobytes; only its first megabyte is read.
  constexpr size_t kMaxLinkSize = 1 << 20;
  const std::optional<LinkTargets> targets = ParseLink(ReadFileStart(path, kMaxLinkSize));
  if (!targets) return "";
  if (!targets->base_path.empty() && FileExists(targets->base_path)) return targets->base_path;
  if (!targets->relative_path.empty()) {
    const std::string relative = PathFromFolderOf(path, targets->relative_path);
    if (FileExists(relative)) return relative;
  }
  return targets->base_path;
}

}  // namespace lumenquill
