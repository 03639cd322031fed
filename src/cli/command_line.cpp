#include "cli/command_line.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "app/input_rule.h"
#include "app/option_spellings.h"
#include "reader/decimal_text.h"

namespace lumenquill {
namespace {

constexpr int kMaxJobs = 256;

const OptionTable kOptions{
    {"--first", "--last", "--eol", "--encoding", "--ruby", "--output-dir", "--jobs"},
    {"--no-banner", "--no-breaks", "--fold-compatibility", "--layout", "--stdout", "--overwrite",
     "--no-overwrite", "--no-open", "--newer-formats", "--quiet", "--recursive", "--help",
     "--version"},
    "qrh",
    "j"};

const OptionTable kLayoutOptions{{"--first", "--last", "--eol", "--encoding", "--ruby"},
                                 {"--no-banner", "--no-breaks", "--fold-compatibility", "--layout"},
                                 "",
                                 ""};

bool Holds(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Whether the table names the option, spelt as SeparateOptions leaves it.
bool Knows(const OptionTable& table, const std::string& name) {
  if (Holds(table.long_with_value, name) || Holds(table.long_flags, name)) return true;
  return name.size() == 2 && (table.short_flags.find(name[1]) != std::string::npos ||
                              table.short_with_value.find(name[1]) != std::string::npos);
}

// A whole positive decimal number up to the limit, or nothing.
std::optional<int32_t> PositiveNumber(const std::string& text, int32_t limit) {
  const std::optional<int32_t> value = ParseDecimal(text);
  if (!value || *value < 1 || *value > limit) return std::nullopt;
  return value;
}

class Parser {
 public:
  Parser(const std::vector<std::string>& arguments, const OptionTable& table)
      : arguments_(arguments), table_(table) {}

  std::variant<CommandLine, UsageError> Parse() {
    bool options_ended = false;
    bool help = false;
    bool version = false;
    for (next_ = 0; next_ < arguments_.size();) {
      const std::string& argument = arguments_[next_++];
      if (options_ended || argument == kStandardInputArgument || !argument.starts_with("-")) {
        line_.files.push_back(argument);
      } else if (argument == "--") {
        options_ended = true;
      } else if (!Knows(table_, argument)) {
        return UsageError{"不明なオプションです: " + argument};
      } else if (argument == "--help" || argument == "-h") {
        help = true;
      } else if (argument == "--version") {
        version = true;
      } else if (!Option(argument)) {
        return UsageError{error_.empty() ? "不明なオプションです: " + argument : error_};
      }
    }
    if (help) line_.request = CommandLine::Action::kHelp;
    if (!help && version) line_.request = CommandLine::Action::kVersion;
    if (line_.request != CommandLine::Action::kConvert) return line_;
    RunOptions& options = line_.options;
    if (options.first_page && options.last_page && *options.first_page > *options.last_page) {
      return UsageError{"--first のページが --last のページより後ろです"};
    }
    if (line_.to_standard_output && options.output_folder) {
      return UsageError{"--stdout と --output-dir は同時に指定できません"};
    }
    const auto standard_inputs =
        std::count(line_.files.begin(), line_.files.end(), std::string(kStandardInputArgument));
    if (standard_inputs > 1) return UsageError{"標準入力 (-) は 1 回だけ指定できます"};
    if (standard_inputs == 1 && !line_.to_standard_output && !options.output_folder) {
      return UsageError{"標準入力 (-) から読むには --stdout か --output-dir を指定します"};
    }
    return line_;
  }

 private:
  // Takes one option and its value; false (with error_ set when the value is at fault) for
  // an option that is not known or a bad value.
  bool Option(const std::string& name) {
    RunOptions& options = line_.options;
    if (name == "--no-banner") {
      options.page_banner = false;
    } else if (name == "--no-breaks") {
      options.line_breaks = false;
    } else if (name == "--fold-compatibility") {
      options.fold_compatibility = true;
    } else if (name == "--layout") {
      options.layout_order = true;
    } else if (name == "--stdout") {
      line_.to_standard_output = true;
    } else if (name == "--overwrite") {
      options.overwrite = true;
    } else if (name == "--no-overwrite") {
      options.overwrite = false;
    } else if (name == "--no-open") {
      options.open_in_editor = false;
    } else if (name == "--newer-formats") {
      options.newer_formats = true;
    } else if (name == "--quiet" || name == "-q") {
      line_.quiet = true;
    } else if (name == "--recursive" || name == "-r") {
      options.recursive = true;
    } else if (name == "--first" || name == "--last") {
      const std::optional<std::string> value = Value(name);
      if (!value) return false;
      const std::optional<int32_t> page = PositiveNumber(*value, INT32_MAX);
      if (!page) return Bad(name, *value, "1 以上のページ番号");
      (name == "--first" ? options.first_page : options.last_page) = *page;
    } else if (name == "--eol") {
      const std::optional<std::string> value = Value(name);
      if (!value) return false;
      options.new_line = NewLineNamed(*value);
      if (!options.new_line) return Bad(name, *value, "crlf、lf、cr のいずれか");
    } else if (name == "--encoding") {
      const std::optional<std::string> value = Value(name);
      if (!value) return false;
      options.encoding = EncodingNamed(*value);
      if (!options.encoding) return Bad(name, *value, "sjis、utf-8、utf-8-bom、utf-16 のいずれか");
    } else if (name == "--ruby") {
      const std::optional<std::string> value = Value(name);
      if (!value) return false;
      options.ruby = RubyHandlingNamed(*value);
      if (!options.ruby) return Bad(name, *value, "drop、bracket、as-drawn のいずれか");
    } else if (name == "--output-dir") {
      const std::optional<std::string> value = Value(name);
      if (!value) return false;
      if (value->empty()) return Bad(name, *value, "フォルダ");
      options.output_folder = *value;
    } else if (name == "--jobs" || name == "-j") {
      const std::optional<std::string> value = Value(name);
      if (!value) return false;
      const std::optional<int32_t> jobs = PositiveNumber(*value, kMaxJobs);
      if (!jobs) return Bad(name, *value, "1 から " + std::to_string(kMaxJobs) + " までの数");
      line_.jobs = *jobs;
    } else {
      return false;
    }
    return true;
  }

  // The argument after the option; nothing (with error_ set) when the line ends.
  std::optional<std::string> Value(const std::string& name) {
    if (next_ >= arguments_.size()) {
      error_ = name + " の値がありません";
      return std::nullopt;
    }
    return arguments_[next_++];
  }

  bool Bad(const std::string& name, const std::string& value, const std::string& expected) {
    error_ = name + " の値が正しくありません: '" + value + "' (" + expected + "を指定します)";
    return false;
  }

  const std::vector<std::string>& arguments_;
  const OptionTable& table_;
  size_t next_ = 0;
  CommandLine line_;
  std::string error_;
};

std::variant<CommandLine, UsageError> Parse(const std::vector<std::string>& arguments,
                                            const OptionTable& table) {
  const auto separated = SeparateOptions(arguments, table);
  if (const auto* error = std::get_if<std::string>(&separated)) return UsageError{*error};
  return Parser(std::get<std::vector<std::string>>(separated), table).Parse();
}

}  // namespace

std::variant<CommandLine, UsageError> ParseCommandLine(const std::vector<std::string>& arguments) {
  return Parse(arguments, kOptions);
}

std::variant<CommandLine, UsageError> ParseLayoutOptions(
    const std::vector<std::string>& arguments) {
  return Parse(arguments, kLayoutOptions);
}

}  // namespace lumenquill
