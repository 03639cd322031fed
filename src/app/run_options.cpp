#include "app/run_options.h"

namespace lumenquill {

std::optional<std::string> NewLineNamed(const std::string& name) {
  if (name == "crlf") return "\r\n";
  if (name == "lf") return "\n";
  if (name == "cr") return "\r";
  return std::nullopt;
}

void ApplyRunOptions(const RunOptions& options, TPDFTextDecoder& decoder, ConversionFlags& flags) {
  if (options.PageBanner) decoder.PageSeparator = *options.PageBanner;
  if (options.NewLine) decoder.NewLineCode = *options.NewLine;
  if (options.LineBreaks) decoder.LineBreakMode = *options.LineBreaks ? 1 : 0;
  if (options.HasPageRange()) flags.PageRange = false;
  if (options.OutputFolder) flags.AskSavePath = false;
  if (options.Overwrite) flags.ConfirmOverwrite = false;
  if (options.OpenInEditor) flags.OpenInEditor = *options.OpenInEditor;
}

}  // namespace lumenquill
