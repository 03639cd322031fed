#pragma once

#include <cstdint>
#include <string>

#include "app/user_interface.h"
#include "reader/pdf_analyst.h"

namespace lumenquill {

// The conversion of one PDF file into one text file with the user's settings, through the
// user interface of whoever started it. One per front end; a batch restarts its count.
class Conversion final {
 public:
  // A result is opened in the editor only while OpenCount is at most this.
  static constexpr int32_t MaxOpenWindows = 10;

  explicit Conversion(UserInterface& ui) : ui_(ui) {}

  // Every batch counts its loaded files from 0.
  void StartBatch() { OpenCount = 0; }

  // Loads, checks and converts one file; true when its text file was written. Raises nothing:
  // a file that could not be written is always reported, the PDF's own failures when the
  // warnings setting is on; the caller goes on with its next file.
  bool ConvertFile(const std::string& file_name);

  // The second half of ConvertFile for a loaded document: options, page range, output path,
  // overwrite question, progress, extraction, editor. True when the text file was written;
  // false when the user declined or cancelled. May raise what the extractor raises.
  bool SaveAsText(TPDFAnalyst& analyst);

  // Files that loaded (and are not secured) in the current batch.
  int32_t OpenCount = 0;

 private:
  // An error box: the path, then the message on its own line.
  void ShowFailure(const std::string& path, const std::string& message);

  UserInterface& ui_;
};

}  // namespace lumenquill
