#include "app/option_spellings.h"

#include <algorithm>

namespace lumenquill {
namespace {

bool Holds(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Whether every letter of a bundle ("-qj2" without its "-") is known, up to the first that
// takes a value (the rest is that value).
bool KnownBundle(const std::string& letters, const OptionTable& table) {
  for (const char letter : letters) {
    if (table.short_with_value.find(letter) != std::string::npos) return true;
    if (table.short_flags.find(letter) == std::string::npos) return false;
  }
  return true;
}

}  // namespace

std::variant<std::vector<std::string>, std::string> SeparateOptions(
    const std::vector<std::string>& arguments, const OptionTable& table) {
  std::vector<std::string> separated;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--") {
      separated.insert(separated.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i),
                       arguments.end());
      break;
    }
    if (argument.starts_with("--")) {
      const size_t equals = argument.find('=');
      const std::string name = argument.substr(0, equals);
      if (Holds(table.long_with_value, name)) {
        separated.push_back(name);
        if (equals != std::string::npos) {
          separated.push_back(argument.substr(equals + 1));
        } else if (i + 1 < arguments.size()) {
          separated.push_back(arguments[++i]);
        }
        continue;
      }
      if (equals != std::string::npos && Holds(table.long_flags, name)) {
        return name + " には値を指定できません";
      }
      separated.push_back(argument);
      continue;
    }
    const std::string letters = argument.size() > 1 && argument[0] == '-' ? argument.substr(1) : "";
    if (letters.empty() || !KnownBundle(letters, table)) {
      separated.push_back(argument);
      continue;
    }
    for (size_t at = 0; at < letters.size(); ++at) {
      separated.push_back(std::string("-") + letters[at]);
      if (table.short_with_value.find(letters[at]) == std::string::npos) continue;
      if (at + 1 < letters.size()) {
        separated.push_back(letters.substr(at + 1));
      } else if (i + 1 < arguments.size()) {
        separated.push_back(arguments[++i]);
      }
      break;
    }
  }
  return separated;
}

}  // namespace lumenquill
