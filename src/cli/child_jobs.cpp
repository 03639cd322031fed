#include "cli/child_jobs.h"

#include <cstdint>

namespace lumenquill {
namespace {

void AppendLength(std::string& bytes, uint64_t length) {
  for (int i = 0; i < 8; ++i) bytes += static_cast<char>((length >> (8 * i)) & 0xFF);
}

// Reads a length and that many bytes at position; false past the end.
bool ReadPart(const std::string& bytes, size_t& position, std::string& part) {
  if (bytes.size() - position < 8) return false;
  uint64_t length = 0;
  for (int i = 0; i < 8; ++i) {
    length |= uint64_t{static_cast<unsigned char>(bytes[position + static_cast<size_t>(i)])}
              << (8 * i);
  }
  position += 8;
  if (bytes.size() - position < length) return false;
  part = bytes.substr(position, static_cast<size_t>(length));
  position += static_cast<size_t>(length);
  return true;
}

}  // namespace

std::string EncodeJobReport(const JobReport& report) {
  std::string bytes(1, static_cast<char>((report.Converted ? 1 : 0) | (report.Loaded ? 2 : 0)));
  for (const std::string* part : {&report.Text, &report.Messages, &report.Opened}) {
    AppendLength(bytes, part->size());
    bytes += *part;
  }
  return bytes;
}

bool DecodeJobReport(const std::string& bytes, JobReport& report) {
  if (bytes.empty()) return false;
  const auto flags = static_cast<unsigned char>(bytes[0]);
  if (flags > 3) return false;
  report.Converted = (flags & 1) != 0;
  report.Loaded = (flags & 2) != 0;
  size_t position = 1;
  for (std::string* part : {&report.Text, &report.Messages, &report.Opened}) {
    if (!ReadPart(bytes, position, *part)) return false;
  }
  return position == bytes.size();
}

}  // namespace lumenquill
