#include "info/extract_command.h"

#include <iostream>
#include <memory>
#include <variant>

#include "app/console_interface.h"
#include "app/conversion.h"
#include "app/page_range_check.h"
#include "app/substitution_note.h"
#include "cli/command_line.h"
#include "info/failure_line.h"
#include "platform/error.h"
#include "platform/terminal.h"
#include "reader/document.h"
#include "reader/reader_errors.h"
#include "text/text_extractor.h"

namespace lumenquill {

int RunExtractCommand(const std::vector<std::string>& args, bool newer_formats) {
  const auto parsed = ParseLayoutOptions(args);
  const auto* line = std::get_if<CommandLine>(&parsed);
  if (line == nullptr || line->files.size() != 2) {
    std::cerr << "lumenquill-info: --extract の引数が正しくありません\n"
                 "使い方: lumenquill-info --extract OUT.txt [--first N] [--last M] "
                 "[--no-banner] [--eol crlf|lf|cr] [--no-breaks]\n"
                 "       [--encoding sjis|utf-8|utf-8-bom|utf-16] [--fold-compatibility]\n"
                 "       [--layout] [--ruby drop|bracket|as-drawn] FILE\n";
    return 2;
  }
  const RunOptions& options = line->options;
  const std::string& output = line->files[0];
  const std::string& input = line->files[1];
  std::unique_ptr<Document> document;
  try {
    document = Document::OpenFile(input, {newer_formats});
    if (document->Encrypted()) {
      ReportFailure(input, kSecuredFileMessage);
      return 1;
    }
    // The extractor's own layout, not the settings file's, under the options given.
    ExtractionOptions extraction;
    ApplyRunOptions(options, extraction);
    // Pages past the end read to the last page, as lumenquill reads them.
    const int32_t count = RangePageCount(*document);
    const PageRange pages = PagesFromOptions(options.first_page, options.last_page, count);
    if (pages.first > count) ReportFailure(input, EmptyRangeNote(pages, count));
    extraction.pages = pages;
    // The console's one-line bar on standard error when it is a terminal; no questions.
    ConsoleUserInterface console(std::cin, std::cout, std::cerr, false, StandardErrorIsTerminal());
    Conversion conversion(console);
    // The command names its output: a file of that name is replaced.
    Substitutions substitutions;
    conversion.WriteTextFile(*document, extraction, {output, ExistingFile::kReplace},
                             &substitutions);
    // Told whatever the settings file says: this tool shows what the extraction sees.
    if (substitutions.Any()) ReportFailure(input, SubstitutionWarning(substitutions));
    return 0;
  } catch (const OutputError& error) {
    ReportFailure(error.path(), error.what());
    return 1;
  } catch (const Error& error) {
    ReportFailure(input, error, document.get());
    return 1;
  }
}

}  // namespace lumenquill
