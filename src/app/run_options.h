#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/settings.h"
#include "text/text_extractor.h"

namespace lumenquill {

// The command line's settings for one run. Each one that is set takes the place of the
// settings file's value for every conversion of the run; the file itself is left as it is.
// --recursive has no setting: it widens the input rule for the folders named.
struct RunOptions {
  std::optional<int32_t> first_page;         // --first: the page range, no question asked
  std::optional<int32_t> last_page;          // --last
  std::optional<bool> page_banner;           // --no-banner (the page banners setting)
  std::optional<std::string> new_line;       // --eol (the line end setting)
  std::optional<bool> line_breaks;           // --no-breaks (the line breaks setting)
  std::optional<std::string> output_folder;  // --output-dir: no save dialog
  std::optional<bool> overwrite;             // --overwrite / --no-overwrite: no overwrite question
  std::optional<bool> open_in_editor;        // --no-open (the open in editor setting)
  std::optional<bool> newer_formats;         // --newer-formats (the newer formats setting)
  std::optional<OutputEncoding> encoding;    // --encoding (the encoding setting)
  std::optional<bool> fold_compatibility;    // --fold-compatibility (the folding setting)
  std::optional<bool> layout_order;          // --layout (the layout order setting)
  std::optional<RubyHandling> ruby;          // --ruby (the ruby setting, for layout order)
  bool recursive = false;                    // --recursive: folders give subfolders' PDFs too

  bool HasPageRange() const { return first_page.has_value() || last_page.has_value(); }
};

// The line end that --eol names ("crlf", "lf", "cr"), or nothing for another name.
std::optional<std::string> NewLineNamed(const std::string& name);

// The encoding that --encoding names ("sjis", "utf-8", "utf-8-bom", "utf-16"), or nothing for
// another name.
std::optional<OutputEncoding> EncodingNamed(const std::string& name);

// What --ruby names ("drop", "bracket", "as-drawn"), or nothing for another name.
std::optional<RubyHandling> RubyHandlingNamed(const std::string& name);

// Puts the options that are set over the layout the settings file gave.
void ApplyRunOptions(const RunOptions& options, ExtractionOptions& extraction);
// Puts the options that are set over the flags the settings file gave.
void ApplyRunOptions(const RunOptions& options, ConversionFlags& flags);

}  // namespace lumenquill
