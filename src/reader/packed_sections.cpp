// Opening the newer forms of a document's structure: cross-reference streams, which list the
// objects in binary, and object streams, which hold objects compressed together.

#include <map>
#include <string>

#include "reader/memory_stream.h"
#include "reader/object_stream.h"
#include "reader/pdf_analyst.h"
#include "reader/pdf_dictionary.h"
#include "reader/position_guard.h"
#include "reader/section_stream_data.h"
#include "reader/xref_stream.h"

namespace lumenquill {
namespace {

// The raw data of the stream whose header was just read: length bytes from the position.
std::string_view StreamData(ByteStream& stream, int32_t length) {
  if (length < 0 || length > stream.Remaining()) {
    throw LoadError("ストリームの長さが不正です。");
  }
  return stream.Peek(length);
}

}  // namespace

int32_t TPDFAnalyst::ReadXrefStream(int32_t offset) {
  SectionLinks links;
  try {
    stream_->SetPosition(offset);
    const StreamObjectHeader header = ReadStreamObjectHeader(*stream_);
    const XrefStreamLayout layout = ReadXrefStreamLayout(header.dictionary);
    // The length is written directly: no table yet exists to follow a reference with.
    const std::string_view raw =
        StreamData(*stream_, IntegerEntry(header.dictionary, "/Length").value_or(-1));
    const std::string data = DecodeSectionStream(*this, header.dictionary, raw);

    // The table grows entry by entry, so only after the data proved long enough for them.
    ForEachXrefStreamEntry(layout, data, [this](const XrefStreamEntry& entry) {
      GrowObjectTable(entry.number + 1);
      const auto n = static_cast<size_t>(entry.number);
      if (offsets_[n] != -1) return;
      switch (entry.type) {
        case 1:
          offsets_[n] = entry.location;
          break;
        case 2:
          offsets_[n] = kInObjectStream;
          packed_entries_.push_back({entry.number, entry.location, entry.index});
          break;
        default:
          offsets_[n] = 0;
          free_objects_[n] = true;
      }
    });
    for (const auto& [key, value] : header.dictionary) {
      MemoryStream value_stream = ValueStream(value);
      ReadTrailerEntry(key, value_stream, links);
    }
  } catch (const Error& error) {
    if (error_raised_) throw;
    RaiseError(error.what());
  }
  return links.prev;
}

bool TPDFAnalyst::HoldsXrefStream(int32_t offset) {
  PositionGuard guard(*stream_);
  stream_->SetPosition(offset);
  try {
    return NameEntry(ReadStreamObjectHeader(*stream_).dictionary, "/Type") == "/XRef";
  } catch (const Error&) {
    return false;
  }
}

void TPDFAnalyst::ExpandObjectStreams() {
  std::map<int32_t, std::vector<PackedEntry>> entries_by_stream;
  for (const PackedEntry& entry : packed_entries_) entries_by_stream[entry.stream].push_back(entry);
  packed_entries_.clear();

  for (const auto& [stream_number, entries] : entries_by_stream) {
    const UnpackedStream unpacked = ReadObjectStream(stream_number);
    for (const PackedEntry& entry : entries) {
      const auto index = static_cast<size_t>(entry.index);
      if (index < unpacked.objects.size() && unpacked.objects[index].number == entry.number) {
        const PackedObject& object = unpacked.objects[index];
        AppendObject(entry.number,
                     std::string_view(unpacked.data).substr(object.begin, object.size));
      } else {
        free_objects_[static_cast<size_t>(entry.number)] = true;
      }
    }
  }
}

TPDFAnalyst::UnpackedStream TPDFAnalyst::ReadObjectStream(int32_t n) {
  UnpackedStream unpacked;
  PositionGuard guard(*stream_);
  // An object stream must itself be written in the file, not packed in another one.
  if (!SeekToObject(n)) return unpacked;
  try {
    const StreamObjectHeader header = ReadStreamObjectHeader(*stream_);
    const TextDictionary& dictionary = header.dictionary;
    if (header.number != n || NameEntry(dictionary, "/Type") != "/ObjStm") return unpacked;
    const int64_t data_start = stream_->Position();
    const auto length = dictionary.find("/Length");
    if (length == dictionary.end()) return unpacked;
    // The length may be a reference, followed through the table.
    MemoryStream length_value = ValueStream(length->second);
    const int32_t data_length = ReadIntegerValue(length_value);
    stream_->SetPosition(data_start);
    unpacked.data = DecodeSectionStream(*this, dictionary, StreamData(*stream_, data_length));
    unpacked.objects = SplitObjectStream(unpacked.data, IntegerEntry(dictionary, "/N").value_or(-1),
                                         IntegerEntry(dictionary, "/First").value_or(-1));
  } catch (const Error&) {
    unpacked.objects.clear();
  }
  return unpacked;
}

}  // namespace lumenquill
