#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/settings.h"
#include "text/pdf_text_decoder.h"

namespace lumenquill {

// The command line's settings for one run. Each one that is set takes the place of the
// settings file's value for every conversion of the run; the file itself is left as it is.
// Recursive has no setting: it widens the input rule for the folders named.
struct RunOptions {
  std::optional<int32_t> FirstPage;         // --first: the page range, no question asked
  std::optional<int32_t> LastPage;          // --last
  std::optional<bool> PageBanner;           // --no-banner (GroupBox1/CheckBox1)
  std::optional<std::string> NewLine;       // --eol (GroupBox2/ComboBox1)
  std::optional<bool> LineBreaks;           // --no-breaks (GroupBox2/RadioButton1)
  std::optional<std::string> OutputFolder;  // --output-dir: no save dialog
  std::optional<bool> Overwrite;            // --overwrite / --no-overwrite: no overwrite question
  std::optional<bool> OpenInEditor;         // --no-open (GroupBox3/CheckBox5)
  std::optional<bool> NewerFormats;         // --newer-formats (GroupBox4/CheckBox9)
  bool Recursive = false;                   // --recursive: folders give subfolders' PDFs too

  bool HasPageRange() const { return FirstPage.has_value() || LastPage.has_value(); }
};

// The line end that --eol names ("crlf", "lf", "cr"), or nothing for another name.
std::optional<std::string> NewLineNamed(const std::string& name);

// Puts the options that are set over what the settings file gave the decoder and the flags.
void ApplyRunOptions(const RunOptions& options, TPDFTextDecoder& decoder, ConversionFlags& flags);

}  // namespace lumenquill
