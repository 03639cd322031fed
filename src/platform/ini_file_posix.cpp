#include "platform/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/path_text.h"

namespace lumenquill {
namespace {

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The section name of a "[name]" line.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trimmed(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trimmed(line.substr(1, close - 1));
}

// The key of a "key=value" line.
std::optional<std::string_view> KeyOf(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trimmed(line.substr(0, equals));
}

// A settings file is small: a larger one is not ours to read or rewrite.
constexpr size_t kMaxSettingsFileSize = size_t{1} << 20;

// The lines of the file: none when it is missing; nothing when it is not a regular file (a
// FIFO would wait for a writer forever) or is too large.
std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    if (errno == ENOENT) return std::vector<std::string>{};
    return std::nullopt;
  }
  struct stat info {};
  std::string bytes;
  bool usable = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
  char buffer[4096];
  while (usable) {
    const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      usable = count == 0;
      break;
    }
    bytes.append(buffer, static_cast<size_t>(count));
    usable = bytes.size() <= kMaxSettingsFileSize;
  }
  ::close(descriptor);
  if (!usable) return std::nullopt;
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::optional<std::string> FindProfileValue(const std::string& path, const std::string& section,
                                            const std::string& key) {
  const std::optional<std::vector<std::string>> lines = ReadLines(path);
  if (!lines) return std::nullopt;
  bool in_section = false;
  for (const std::string& line : *lines) {
    if (const auto name = SectionOf(line)) {
      in_section = EqualsIgnoringAsciiCase(*name, section);
    } else if (in_section) {
      const auto line_key = KeyOf(line);
      if (line_key && EqualsIgnoringAsciiCase(*line_key, key)) {
        return std::string(Trimmed(std::string_view(line).substr(line.find('=') + 1)));
      }
    }
  }
  return std::nullopt;
}

void WriteProfileValue(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) {
  std::optional<std::vector<std::string>> read = ReadLines(path);
  if (!read) return;
  std::vector<std::string>& lines = *read;
  const std::string entry = key + "=" + value;
  bool in_section = false;
  constexpr size_t kNowhere = std::string::npos;
  size_t section_end = kNowhere;  // where a new key of the section goes
  for (size_t i = 0; i < lines.size(); ++i) {
    if (const auto name = SectionOf(lines[i])) {
      if (in_section) break;
      in_section = EqualsIgnoringAsciiCase(*name, section);
      if (in_section) section_end = i + 1;
      continue;
    }
    if (!in_section) continue;
    const auto line_key = KeyOf(lines[i]);
    if (line_key && EqualsIgnoringAsciiCase(*line_key, key)) {
      lines[i] = entry;
      section_end = kNowhere;
      break;
    }
    if (!Trimmed(lines[i]).empty()) section_end = i + 1;
  }
  if (!in_section) {
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  } else if (section_end != kNowhere) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(section_end), entry);
  }
  std::ostringstream text;
  for (const std::string& line : lines) text << line << "\n";
  std::error_code error;
  std::filesystem::create_directories(FilesystemPath(path).parent_path(), error);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text.str();
}

}  // namespace lumenquill
