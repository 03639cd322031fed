#include "app/run_options.h"

namespace lumenquill {
namespace {

// What the item of a list that an option's value names stands for, or nothing.
template <typename Value, size_t N>
std::optional<Value> ValueNamed(const ListChoice<Value> (&choices)[N], const std::string& name) {
  for (const ListChoice<Value>& choice : choices) {
    if (name == choice.option_name) return choice.value;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> NewLineNamed(const std::string& name) {
  const std::optional<const char*> code = ValueNamed(kLineEnds, name);
  if (!code) return std::nullopt;
  return *code;
}

std::optional<OutputEncoding> EncodingNamed(const std::string& name) {
  return ValueNamed(kEncodings, name);
}

std::optional<RubyHandling> RubyHandlingNamed(const std::string& name) {
  return ValueNamed(kRubyChoices, name);
}

void ApplyRunOptions(const RunOptions& options, ExtractionOptions& extraction) {
  if (options.page_banner) extraction.page_banners = *options.page_banner;
  if (options.new_line) extraction.new_line = *options.new_line;
  if (options.line_breaks) extraction.line_breaks = *options.line_breaks;
  if (options.encoding) extraction.encoding.encoding = *options.encoding;
  if (options.fold_compatibility) {
    extraction.encoding.fold_compatibility_forms = *options.fold_compatibility;
  }
  if (options.layout_order) extraction.layout_order = *options.layout_order;
  if (options.ruby) extraction.ruby = *options.ruby;
}

void ApplyRunOptions(const RunOptions& options, ConversionFlags& flags) {
  if (options.HasPageRange()) flags.ask_page_range = false;
  if (options.output_folder) flags.ask_save_path = false;
  if (options.overwrite) flags.confirm_overwrite = false;
  if (options.open_in_editor) flags.open_in_editor = *options.open_in_editor;
}

}  // namespace lumenquill
