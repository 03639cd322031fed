#include "app/run_options.h"

namespace lumenquill {

std::optional<std::string> NewLineNamed(const std::string& name) {
  for (const LineEnd& line_end : kLineEnds) {
    if (name == line_end.option_name) return line_end.code;
  }
  return std::nullopt;
}

std::optional<OutputEncoding> EncodingNamed(const std::string& name) {
  for (const EncodingChoice& choice : kEncodings) {
    if (name == choice.option_name) return choice.encoding;
  }
  return std::nullopt;
}

void ApplyRunOptions(const RunOptions& options, ExtractionOptions& extraction) {
  if (options.page_banner) extraction.page_banners = *options.page_banner;
  if (options.new_line) extraction.new_line = *options.new_line;
  if (options.line_breaks) extraction.line_breaks = *options.line_breaks;
  if (options.encoding) extraction.encoding.encoding = *options.encoding;
  if (options.fold_compatibility) {
    extraction.encoding.fold_compatibility_forms = *options.fold_compatibility;
  }
}

void ApplyRunOptions(const RunOptions& options, ConversionFlags& flags) {
  if (options.HasPageRange()) flags.ask_page_range = false;
  if (options.output_folder) flags.ask_save_path = false;
  if (options.overwrite) flags.confirm_overwrite = false;
  if (options.open_in_editor) flags.open_in_editor = *options.open_in_editor;
}

}  // namespace lumenquill
