#include "reader/encryption_dictionary.h"

#include <map>

#include "reader/object_resolver.h"

namespace lumenquill {
namespace {

// The text of a name, or of a keyword such as false, references followed; "" for any other
// value.
std::string NameText(ObjectResolver& objects, const PdfValue& value) {
  const PdfValue resolved = objects.Resolve(value);
  if (const std::optional<std::string_view> name = resolved.Name()) return std::string(*name);
  if (const bool* flag = resolved.As<bool>()) return *flag ? "true" : "false";
  return "";
}

std::string StringBytes(ObjectResolver& objects, const PdfValue& value) {
  const PdfValue resolved = objects.Resolve(value);
  const PdfString* string = resolved.String();
  return string ? string->bytes : "";
}

CryptMethod MethodOfCryptFilter(std::string_view cfm) {
  if (cfm == "/V2") return CryptMethod::kRc4;
  if (cfm == "/AESV2") return CryptMethod::kAes128;
  if (cfm == "/AESV3") return CryptMethod::kAes256;
  if (cfm == "/None") return CryptMethod::kIdentity;
  return CryptMethod::kUnsupported;
}

// The crypt filters of /CF by name, each with the method of its /CFM (/None when missing).
std::map<std::string, CryptMethod> ReadCryptFilters(ObjectResolver& objects,
                                                    const PdfValue& value) {
  std::map<std::string, CryptMethod> filters;
  const PdfValue resolved = objects.Resolve(value);
  const PdfDictionary* dictionary = resolved.Dictionary();
  if (!dictionary) return filters;
  for (const auto& [name, filter] : *dictionary) {
    std::string cfm = "/None";
    const PdfValue filter_value = objects.Resolve(filter);
    if (const PdfDictionary* entries = filter_value.Dictionary()) {
      for (const auto& [key, entry] : *entries) {
        if (key == "/CFM") cfm = NameText(objects, entry);
      }
    }
    filters[name] = MethodOfCryptFilter(cfm);
  }
  return filters;
}

CryptMethod MethodOfFilterName(const std::map<std::string, CryptMethod>& filters,
                               const std::string& name) {
  if (name == "/Identity") return CryptMethod::kIdentity;
  const auto found = filters.find(name);
  return found == filters.end() ? CryptMethod::kUnsupported : found->second;
}

}  // namespace

std::optional<EncryptionDictionary> ReadEncryptionDictionary(ObjectResolver& objects, int32_t n) {
  const PdfValue* object = objects.Object(n);
  if (!object) return std::nullopt;
  const PdfValue value = objects.Resolve(*object);
  const PdfDictionary* entries = value.Dictionary();
  if (!entries || entries->empty()) return std::nullopt;

  EncryptionDictionary dictionary;
  std::map<std::string, CryptMethod> crypt_filters;
  std::string stream_filter = "/Identity";
  std::string string_filter = "/Identity";
  // A key written twice: the last one counts.
  for (const auto& [key, entry] : *entries) {
    const auto integer = [&objects, &value = entry] { return objects.Integer(value).value_or(0); };
    if (key == "/Filter") dictionary.filter = NameText(objects, entry);
    if (key == "/V") dictionary.version = integer();
    if (key == "/R") dictionary.revision = integer();
    if (key == "/Length") dictionary.length_bits = integer();
    if (key == "/P") dictionary.permissions = integer();
    if (key == "/O") dictionary.owner_hash = StringBytes(objects, entry);
    if (key == "/U") dictionary.user_hash = StringBytes(objects, entry);
    if (key == "/UE") dictionary.user_encrypted_key = StringBytes(objects, entry);
    if (key == "/Perms") dictionary.encrypted_permissions = StringBytes(objects, entry);
    if (key == "/EncryptMetadata") {
      dictionary.encrypt_metadata = NameText(objects, entry) != "false";
    }
    if (key == "/CF") crypt_filters = ReadCryptFilters(objects, entry);
    if (key == "/StmF") stream_filter = NameText(objects, entry);
    if (key == "/StrF") string_filter = NameText(objects, entry);
  }
  if (dictionary.version < 4) {
    dictionary.stream_method = dictionary.string_method = CryptMethod::kRc4;
  } else {
    dictionary.stream_method = MethodOfFilterName(crypt_filters, stream_filter);
    dictionary.string_method = MethodOfFilterName(crypt_filters, string_filter);
  }
  return dictionary;
}

}  // namespace lumenquill
