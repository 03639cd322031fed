#pragma once

#include <string>
#include <variant>
#include <vector>

namespace lumenquill {

// The options a program knows, for reading their spellings.
struct OptionTable {
  std::vector<std::string> long_with_value;  // "--first": the next argument, or "--first=2"
  std::vector<std::string> long_flags;       // "--quiet": no value, "--quiet=1" is an error
  std::string short_flags;                   // "q", "h": may be bundled, "-qh"
  std::string short_with_value;              // "j": "-j 2", "-j2", and last in a bundle, "-qj2"
};

// The arguments with every option and every value in an argument of its own, as the usual
// command-line conventions spell them: "--jobs=2" gives "--jobs", "2"; "-qj2" gives "-q", "-j",
// "2". The argument after an option that takes a value is its value, whatever it looks like.
// "-" alone, "--" and every argument after it are kept as they are; so are unknown options and
// bundles with an unknown letter, for the caller to refuse. The message for a flag given a
// value ("--quiet=1").
std::variant<std::vector<std::string>, std::string> SeparateOptions(
    const std::vector<std::string>& arguments, const OptionTable& table);

}  // namespace lumenquill
