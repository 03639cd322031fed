#include "reader/object_decryption.h"

#include <string_view>
#include <utility>
#include <vector>

#include "reader/decimal_text.h"
#include "reader/pdf_analyst.h"
#include "reader/pdf_strings.h"
#include "reader/position_guard.h"
#include "reader/reading_primitives.h"
#include "reader/security_handler.h"

namespace lumenquill {
namespace {

// Copies the bytes of one object while reading it, rewriting what is encrypted.
class ObjectRewriter final {
 public:
  ObjectRewriter(TPDFAnalyst& reader, const SecurityHandler& handler, int32_t n, int32_t generation)
      : reader_(reader), in_(*reader.Stream()), handler_(handler), n_(n), generation_(generation) {}

  // Reads from the body's start through "endobj"; the rewritten body, or nothing when the
  // object is left as it is. Raises ReadError when the object runs into the end of the file.
  std::optional<std::string> Rewrite();

 private:
  void CopyComment();
  // Copies the token that starts with first and returns it.
  std::string CopyToken(uint8_t first);
  // After a key of the outermost dictionary: notes /Length and /Type values, copying them.
  void ReadEntryValue(const std::string& key);
  bool RewriteStreamData();

  TPDFAnalyst& reader_;
  ByteStream& in_;
  const SecurityHandler& handler_;
  int32_t n_;
  int32_t generation_;
  std::string out_;
  int32_t depth_ = 0;  // open dictionaries and arrays
  int32_t encrypted_length_ = -1;
  // Where the text of /Length's value stands in out_, to be replaced by the new length.
  size_t length_text_start_ = 0;
  size_t length_text_end_ = 0;
  std::string type_;
  bool finished_ = false;
};

std::optional<std::string> ObjectRewriter::Rewrite() {
  while (!finished_) {
    const uint8_t byte = in_.ReadByte();
    switch (byte) {
      case '%':
        out_.push_back('%');
        CopyComment();
        break;
      case '(':
        out_ += HexStringText(handler_.DecryptString(n_, generation_, ReadLiteralStringBytes(in_)));
        break;
      case '<':
        if (in_.Peek(1) == "<") {
          in_.Move(1);
          out_ += "<<";
          ++depth_;
        } else {
          out_ += HexStringText(handler_.DecryptString(n_, generation_, ReadHexStringBytes(in_)));
        }
        break;
      case '>':
        out_.push_back('>');
        if (in_.Peek(1) == ">") {
          in_.Move(1);
          out_.push_back('>');
          --depth_;
        }
        break;
      case '[':
        out_.push_back('[');
        ++depth_;
        break;
      case ']':
        out_.push_back(']');
        --depth_;
        break;
      default:
        if (IsTokenWhiteSpace(byte)) {
          out_.push_back(static_cast<char>(byte));
        } else if (CopyToken(byte) == "stream" && !RewriteStreamData()) {
          return std::nullopt;
        }
        break;
    }
  }
  // Cross-reference streams are never encrypted.
  if (type_ == "/XRef") return std::nullopt;
  return out_;
}

void ObjectRewriter::CopyComment() {
  for (;;) {
    const uint8_t byte = in_.ReadByte();
    out_.push_back(static_cast<char>(byte));
    if (IsEndOfLine(byte)) return;
  }
}

// A name or any other run of bytes up to a delimiter; "endobj" ends the object, unwritten.
std::string ObjectRewriter::CopyToken(uint8_t first) {
  std::string token(1, static_cast<char>(first));
  for (;;) {
    const uint8_t next = in_.ReadByte();
    if (IsTokenDelimiter(next)) {
      in_.Move(-1);
      break;
    }
    token.push_back(static_cast<char>(next));
  }
  if (token == "endobj") {
    finished_ = true;
    return token;
  }
  out_ += token;
  if (depth_ == 1 && (token == "/Length" || token == "/Type")) ReadEntryValue(token);
  return token;
}

void ObjectRewriter::ReadEntryValue(const std::string& key) {
  const int64_t value_start = in_.Position();
  if (key == "/Length") {
    encrypted_length_ = reader_.ReadIntegerValue(in_);
    // The value is one number, or a reference "n g R" to the object that holds it.
    if (reader_.ReadReference(in_) == -1) {
      std::string number;
      ReadToken(in_, number);
    }
    length_text_start_ = out_.size();
  } else {
    ReadToken(in_, type_);
  }
  const int64_t value_end = in_.Position();
  in_.SetPosition(value_start);
  std::string value(static_cast<size_t>(value_end - value_start), '\0');
  in_.ReadExact(value.data(), value_end - value_start);
  out_ += value;
  if (key == "/Length") length_text_end_ = out_.size();
}

// After "stream": the data decrypted, unless it is not encrypted (an identity crypt filter,
// metadata left in the clear). False when /Length is missing or passes the end of the file.
bool ObjectRewriter::RewriteStreamData() {
  if (encrypted_length_ < 0 || length_text_end_ == 0) return false;
  if (in_.ReadByte() == '\r' && in_.Peek(1) == "\n") in_.Move(1);
  if (encrypted_length_ > in_.Remaining()) return false;
  const std::string_view data = in_.Peek(encrypted_length_);
  in_.Move(encrypted_length_);
  const bool clear_metadata = type_ == "/Metadata" && !handler_.EncryptsMetadata();
  const std::string plain =
      clear_metadata ? std::string(data) : handler_.DecryptStream(n_, generation_, data);
  out_ += '\n';
  out_ += plain;
  out_ += '\n';
  std::string length_text(1, ' ');
  length_text.append(std::to_string(plain.size()));
  out_.replace(length_text_start_, length_text_end_ - length_text_start_, length_text);
  length_text_end_ = 0;
  return true;
}

}  // namespace

std::optional<std::string> DecryptObjectBody(TPDFAnalyst& reader, const SecurityHandler& handler,
                                             int32_t n) {
  ByteStream& stream = *reader.Stream();
  PositionGuard guard(stream);
  if (!reader.SeekToObject(n)) return std::nullopt;
  std::string number, generation, keyword;
  ReadToken(stream, number);
  ReadToken(stream, generation);
  ReadToken(stream, keyword);
  const std::optional<int32_t> generation_number = ParseDecimal(generation);
  if (ParseDecimal(number) != n || !generation_number || *generation_number < 0 ||
      keyword != "obj") {
    return std::nullopt;
  }
  return ObjectRewriter(reader, handler, n, *generation_number).Rewrite();
}

void TPDFAnalyst::WriteOutDecryptedObjects() {
  const SecurityHandler* handler = document_->Objects().Decryption();
  if (!handler) return;
  const int32_t encrypt_number = document_->EncryptNumber().value_or(-1);
  // Every object is read from the file as it was before any copy is appended.
  std::vector<std::pair<int32_t, std::string>> decrypted;
  for (int32_t n = 0; n < object_count_; ++n) {
    if (IsFree(n) || n == encrypt_number) continue;
    try {
      std::optional<std::string> body = DecryptObjectBody(*this, *handler, n);
      if (body) decrypted.emplace_back(n, std::move(*body));
    } catch (const ReadError&) {
      // An object that runs into the end of the file stays as it is, to fail where it is read.
    }
  }
  for (const auto& [n, body] : decrypted) WriteOutObject(n, body);
}

}  // namespace lumenquill
