#include "app/run_options.h"

namespace lumenquill {

std::optional<std::string> NewLineNamed(const std::string& name) {
  for (const LineEnd& line_end : kLineEnds) {
    if (name == line_end.option_name) return line_end.code;
  }
  return std::nullopt;
}

void ApplyRunOptions(const RunOptions& options, ExtractionOptions& extraction) {
  if (options.PageBanner) extraction.page_banners = *options.PageBanner;
  if (options.NewLine) extraction.new_line = *options.NewLine;
  if (options.LineBreaks) extraction.line_breaks = *options.LineBreaks;
}

void ApplyRunOptions(const RunOptions& options, ConversionFlags& flags) {
  if (options.HasPageRange()) flags.ask_page_range = false;
  if (options.OutputFolder) flags.ask_save_path = false;
  if (options.Overwrite) flags.confirm_overwrite = false;
  if (options.OpenInEditor) flags.open_in_editor = *options.OpenInEditor;
}

}  // namespace lumenquill
