#include "info/extract_command.h"

#include <iostream>
#include <optional>

#include "app/console_interface.h"
#include "app/conversion.h"
#include "app/page_range_check.h"
#include "app/run_options.h"
#include "info/failure_line.h"
#include "platform/error.h"
#include "platform/terminal.h"
#include "reader/decimal_text.h"
#include "text/pdf_text_decoder.h"

namespace lumenquill {
namespace {

struct ExtractOptions {
  std::string output;
  std::string input;
  std::optional<int32_t> first;
  std::optional<int32_t> last;
  bool banner = true;
  std::optional<std::string> new_line;
  bool line_breaks = true;
};

// The options after "--extract", or nothing when they are not understood.
std::optional<ExtractOptions> ParseOptions(const std::vector<std::string>& args) {
  ExtractOptions options;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    if ((arg == "--first" || arg == "--last") && has_value) {
      const std::optional<int32_t> page = ParseDecimal(args[++i]);
      if (!page || *page < 1) return std::nullopt;
      (arg == "--first" ? options.first : options.last) = *page;
    } else if (arg == "--eol" && has_value) {
      options.new_line = NewLineNamed(args[++i]);
      if (!options.new_line) return std::nullopt;
    } else if (arg == "--no-banner") {
      options.banner = false;
    } else if (arg == "--no-breaks") {
      options.line_breaks = false;
    } else if (arg.starts_with("--")) {
      return std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) return std::nullopt;
  if (options.first && options.last && *options.first > *options.last) return std::nullopt;
  options.output = positional[0];
  options.input = positional[1];
  return options;
}

}  // namespace

int RunExtractCommand(const std::vector<std::string>& args, bool newer_formats) {
  const std::optional<ExtractOptions> options = ParseOptions(args);
  if (!options) {
    std::cerr << "lumenquill-info: --extract の引数が正しくありません\n"
                 "使い方: lumenquill-info --extract OUT.txt [--first N] [--last M] "
                 "[--no-banner] [--eol crlf|lf|cr] [--no-breaks] FILE\n";
    return 2;
  }
  TPDFAnalyst reader;
  reader.SetReadNewerFormats(newer_formats);
  try {
    reader.LoadFromFile(options->input);
    if (reader.Encrypted()) {
      ReportFailure(options->input, kSecuredFileMessage);
      return 1;
    }
    TPDFTextDecoder decoder(&reader);
    decoder.PageSeparator = options->banner;
    if (options->new_line) decoder.NewLineCode = *options->new_line;
    if (!options->line_breaks) decoder.LineBreakMode = 0;
    bool cancel = false;
    // The console's one-line bar on standard error when it is a terminal.
    ConsoleProgress bar(std::cerr, true, false);
    const TProgressProc progress =
        StandardErrorIsTerminal()
            ? TProgressProc([&bar](int32_t min, int32_t max, int32_t position, bool done) {
                bar.ShowProgress(min, max, position, done);
              })
            : TProgressProc();
    // Pages past the end read to the last page, as lumenquill reads them.
    const int32_t count = reader.PageCount();
    const PageRange pages = PagesFromOptions(options->first, options->last, count);
    if (pages.first > count) ReportFailure(options->input, EmptyRangeNote(pages, count));
    // The command names its output: a file of that name is replaced.
    decoder.ExtractToFile(options->output, pages.first, pages.last, progress, cancel,
                          ExistingFile::kReplace);
    return 0;
  } catch (const OutputError& error) {
    ReportFailure(error.path(), error.what());
    return 1;
  } catch (const Error& error) {
    ReportFailure(options->input, error, reader);
    return 1;
  }
}

}  // namespace lumenquill
