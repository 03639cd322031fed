#pragma once

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace lumenquill {

// The largest object table a document may ask for: PDF's own limit of 8,388,607 indirect
// objects, plus object 0. It keeps a damaged section from claiming gigabytes.
constexpr int64_t kMaxObjectCount = 8'388'608;

// An object that a cross-reference section lists as free. The offset field of its entry is
// kept as written.
struct FreeEntry {
  int32_t offset = 0;
  bool operator==(const FreeEntry&) const = default;
};

// An object written in the file at a byte offset (which a damaged file may place anywhere).
struct InFileEntry {
  int32_t offset = 0;
  bool operator==(const InFileEntry&) const = default;
};

// An object packed in an object stream, at an index of that stream.
struct InObjectStreamEntry {
  int32_t stream_number = 0;
  int32_t index = 0;
  bool operator==(const InObjectStreamEntry&) const = default;
};

using XrefEntry = std::variant<FreeEntry, InFileEntry, InObjectStreamEntry>;

// The cross-reference table of a document: for each object number below Size(), the entry of
// the newest section that lists it, or none when no section does.
class XrefTable final {
 public:
  // Objects 0 to Size() - 1; 0 before any section was read.
  int32_t Size() const { return static_cast<int32_t>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  bool Contains(int32_t n) const { return n >= 0 && n < Size(); }

  // Makes the table hold objects 0 to size - 1 (never shrinks it). The caller bounds size by
  // kMaxObjectCount.
  void Grow(int32_t size);

  // The entry of object n; nothing for a number outside the table or one no section lists.
  std::optional<XrefEntry> Find(int32_t n) const;
  bool IsFree(int32_t n) const;
  // The offset of an object written in the file; nothing for any other entry.
  std::optional<int32_t> FileOffset(int32_t n) const;

  // Sets the entry of object n (inside the table) unless a newer section has set it; returns
  // whether it was set.
  bool SetIfUnlisted(int32_t n, const XrefEntry& entry);
  // Sets the entry of object n (inside the table), whatever it was.
  void Replace(int32_t n, const XrefEntry& entry);
  // Forgets the entry of object n, so that an older section may set it.
  void Unlist(int32_t n);

 private:
  // One slot per object: monostate while no section lists it (12 bytes a slot, where an
  // optional entry would take 16).
  using Slot = std::variant<std::monostate, FreeEntry, InFileEntry, InObjectStreamEntry>;
  std::vector<Slot> entries_;
};

}  // namespace lumenquill
