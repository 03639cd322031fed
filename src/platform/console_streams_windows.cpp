#include "platform/console_streams.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>

namespace lumenquill {
namespace {

// The length of the leading part of bytes that ends on a whole UTF-8 sequence: a character cut
// by the buffer's end waits for its other bytes.
size_t WholeSequencesLength(const std::string& bytes) {
  size_t back = 0;
  while (back < bytes.size() && back < 4) {
    const auto byte = static_cast<unsigned char>(bytes[bytes.size() - 1 - back]);
    ++back;
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? bytes.size() - back : bytes.size();
  }
  return bytes.size();
}

// Text is the program's UTF-8; what is not UTF-8 is the Shift-JIS of an extracted text
// (--stdout), which the console shows as such.
std::wstring ConsoleText(const std::string& bytes) {
  const int size = static_cast<int>(bytes.size());
  UINT code_page = CP_UTF8;
  int length =
      ::MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length == 0) {
    code_page = 932;
    length = ::MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  }
  std::wstring text(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(code_page, 0, bytes.data(), size, text.data(), length);
  return text;
}

class ConsoleBuffer final : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return sync() == 0 ? 0 : c;
    pending_.push_back(traits_type::to_char_type(c));
    if (pending_.size() >= kBufferSize) Write(WholeSequencesLength(pending_));
    return c;
  }

  std::streamsize xsputn(const char* bytes, std::streamsize count) override {
    pending_.append(bytes, static_cast<size_t>(count));
    if (pending_.size() >= kBufferSize) Write(WholeSequencesLength(pending_));
    return count;
  }

  // The program flushes after whole texts, so everything goes.
  int sync() override {
    Write(pending_.size());
    return 0;
  }

 private:
  static constexpr size_t kBufferSize = 4096;

  // Writes the first `length` pending bytes.
  void Write(size_t length) {
    if (length == 0) return;
    const std::wstring text = ConsoleText(pending_.substr(0, length));
    pending_.erase(0, length);
    DWORD written = 0;
    for (size_t at = 0; at < text.size(); at += written) {
      if (!::WriteConsoleW(console_, text.data() + at, static_cast<DWORD>(text.size() - at),
                           &written, nullptr) ||
          written == 0) {
        return;
      }
    }
  }

  HANDLE console_;
  std::string pending_;
};

void UseConsoleFor(std::ostream& stream, DWORD standard_handle) {
  const HANDLE handle = ::GetStdHandle(standard_handle);
  DWORD mode = 0;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode)) {
    return;
  }
  stream.flush();
  // Never freed: the stream is flushed at the program's very end.
  stream.rdbuf(new ConsoleBuffer(handle));
}

}  // namespace

void UseConsoleForStandardStreams() {
  // Redirected, standard output carries texts byte for byte (--stdout): the C runtime's text
  // mode would put a CR before every LF.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  UseConsoleFor(std::cout, STD_OUTPUT_HANDLE);
  UseConsoleFor(std::cerr, STD_ERROR_HANDLE);
}

}  // namespace lumenquill
