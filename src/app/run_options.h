#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/settings.h"
#include "text/text_extractor.h"

namespace lumenquill {

// The command line's settings for one run. Each one that is set takes the place of the
// settings file's value for every conversion of the run; the file itself is left as it is.
// Recursive has no setting: it widens the input rule for the folders named.
struct RunOptions {
  std::optional<int32_t> FirstPage;         // --first: the page range, no question asked
  std::optional<int32_t> LastPage;          // --last
  std::optional<bool> PageBanner;           // --no-banner (the page banners setting)
  std::optional<std::string> NewLine;       // --eol (the line end setting)
  std::optional<bool> LineBreaks;           // --no-breaks (the line breaks setting)
  std::optional<std::string> OutputFolder;  // --output-dir: no save dialog
  std::optional<bool> Overwrite;            // --overwrite / --no-overwrite: no overwrite question
  std::optional<bool> OpenInEditor;         // --no-open (the open in editor setting)
  std::optional<bool> NewerFormats;         // --newer-formats (the newer formats setting)
  bool Recursive = false;                   // --recursive: folders give subfolders' PDFs too

  bool HasPageRange() const { return FirstPage.has_value() || LastPage.has_value(); }
};

// The line end that --eol names ("crlf", "lf", "cr"), or nothing for another name.
std::optional<std::string> NewLineNamed(const std::string& name);

// Puts the options that are set over the layout the settings file gave.
void ApplyRunOptions(const RunOptions& options, ExtractionOptions& extraction);
// Puts the options that are set over the flags the settings file gave.
void ApplyRunOptions(const RunOptions& options, ConversionFlags& flags);

}  // namespace lumenquill
