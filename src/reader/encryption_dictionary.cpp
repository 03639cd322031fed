#include "reader/encryption_dictionary.h"

#include <functional>
#include <map>

#include "reader/pdf_analyst.h"
#include "reader/pdf_strings.h"
#include "reader/position_guard.h"
#include "reader/reading_primitives.h"

namespace lumenquill {
namespace {

using EntryCallback = std::function<void(const std::string& key, ByteStream& value)>;

// Calls on_entry for each key of the dictionary whose "<<" was just read, with stream on the
// key's value; the value is then skipped, whatever on_entry read. Tokens where a key should
// stand are passed over, such as the rest of a reference "n g R".
void ForEachEntry(ByteStream& stream, const EntryCallback& on_entry) {
  std::string token;
  for (;;) {
    ReadToken(stream, token);
    if (token == ">" || token == "endobj") return;
    if (token == "%") {
      SkipLine(stream);
    } else if (token == "(" || token == "<" || token == "[") {
      stream.Move(-1);
      SkipValue(stream);
    } else if (token[0] == '/') {
      const int64_t value_position = stream.Position();
      on_entry(token, stream);
      stream.SetPosition(value_position);
      SkipValue(stream);
    }
  }
}

// Calls on_entry for each entry of the dictionary that is the value at the position of stream,
// references followed; nothing when the value is no dictionary.
void ForEachEntryOfValue(TPDFAnalyst& reader, ByteStream& stream, const EntryCallback& on_entry) {
  PositionGuard guard(stream);
  reader.VisitValue(stream, [&on_entry](ByteStream& value) {
    std::string token;
    ReadToken(value, token);
    if (token != "<" || value.Peek(1) != "<") return;
    value.Move(1);
    ForEachEntry(value, on_entry);
  });
}

std::string ReadNameValue(TPDFAnalyst& reader, ByteStream& stream) {
  PositionGuard guard(stream);
  std::string token;
  reader.ReadResolvedToken(stream, token);
  return token;
}

std::string ReadStringValue(TPDFAnalyst& reader, ByteStream& stream) {
  PositionGuard guard(stream);
  std::string bytes;
  reader.VisitValue(stream, [&bytes](ByteStream& value) {
    std::string token;
    ReadToken(value, token);
    if (token == "(") {
      bytes = ReadLiteralStringBytes(value);
    } else if (token == "<") {
      bytes = ReadHexStringBytes(value);
    }
  });
  return bytes;
}

CryptMethod MethodOfCryptFilter(const std::string& cfm) {
  if (cfm == "/V2") return CryptMethod::kRc4;
  if (cfm == "/AESV2") return CryptMethod::kAes128;
  if (cfm == "/AESV3") return CryptMethod::kAes256;
  if (cfm == "/None") return CryptMethod::kIdentity;
  return CryptMethod::kUnsupported;
}

// The crypt filters of /CF by name, each with the method of its /CFM (/None when missing).
std::map<std::string, CryptMethod> ReadCryptFilters(TPDFAnalyst& reader, ByteStream& stream) {
  std::map<std::string, CryptMethod> filters;
  ForEachEntryOfValue(reader, stream, [&](const std::string& name, ByteStream& filter) {
    std::string cfm = "/None";
    ForEachEntryOfValue(reader, filter, [&](const std::string& key, ByteStream& value) {
      if (key == "/CFM") cfm = ReadNameValue(reader, value);
    });
    filters[name] = MethodOfCryptFilter(cfm);
  });
  return filters;
}

CryptMethod MethodOfFilterName(const std::map<std::string, CryptMethod>& filters,
                               const std::string& name) {
  if (name == "/Identity") return CryptMethod::kIdentity;
  const auto found = filters.find(name);
  return found == filters.end() ? CryptMethod::kUnsupported : found->second;
}

}  // namespace

std::optional<EncryptionDictionary> ReadEncryptionDictionary(TPDFAnalyst& reader, int32_t n) {
  ByteStream& stream = *reader.Stream();
  PositionGuard guard(stream);
  if (!reader.IsValidObjectNumber(n) || reader.FreeObjects()[static_cast<size_t>(n)] ||
      !reader.SeekToObject(n)) {
    return std::nullopt;
  }
  EncryptionDictionary dictionary;
  std::map<std::string, CryptMethod> crypt_filters;
  std::string stream_filter = "/Identity";
  std::string string_filter = "/Identity";
  bool is_dictionary = false;
  try {
    SkipObjectHeader(stream);
    ForEachEntryOfValue(reader, stream, [&](const std::string& key, ByteStream& value) {
      is_dictionary = true;
      if (key == "/Filter") dictionary.filter = ReadNameValue(reader, value);
      if (key == "/V") dictionary.version = reader.ReadIntegerValue(value);
      if (key == "/R") dictionary.revision = reader.ReadIntegerValue(value);
      if (key == "/Length") dictionary.length_bits = reader.ReadIntegerValue(value);
      if (key == "/P") dictionary.permissions = reader.ReadIntegerValue(value);
      if (key == "/O") dictionary.owner_hash = ReadStringValue(reader, value);
      if (key == "/U") dictionary.user_hash = ReadStringValue(reader, value);
      if (key == "/UE") dictionary.user_encrypted_key = ReadStringValue(reader, value);
      if (key == "/Perms") dictionary.encrypted_permissions = ReadStringValue(reader, value);
      if (key == "/EncryptMetadata") {
        dictionary.encrypt_metadata = ReadNameValue(reader, value) != "false";
      }
      if (key == "/CF") crypt_filters = ReadCryptFilters(reader, value);
      if (key == "/StmF") stream_filter = ReadNameValue(reader, value);
      if (key == "/StrF") string_filter = ReadNameValue(reader, value);
    });
  } catch (const ReadError&) {
    return std::nullopt;
  }
  if (!is_dictionary) return std::nullopt;
  if (dictionary.version < 4) {
    dictionary.stream_method = dictionary.string_method = CryptMethod::kRc4;
  } else {
    dictionary.stream_method = MethodOfFilterName(crypt_filters, stream_filter);
    dictionary.string_method = MethodOfFilterName(crypt_filters, string_filter);
  }
  return dictionary;
}

}  // namespace lumenquill
