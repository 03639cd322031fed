#include "platform/ini_file.h"

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

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::optional<std::string> FindProfileValue(const std::string& path, const std::string& section,
                                            const std::string& key) {
  bool in_section = false;
  for (const std::string& line : ReadLines(path)) {
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
  std::vector<std::string> lines = ReadLines(path);
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
