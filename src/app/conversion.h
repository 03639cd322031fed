#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/run_options.h"
#include "app/substitution_note.h"
#include "app/user_interface.h"
#include "platform/error.h"
#include "platform/output_file.h"
#include "reader/document.h"
#include "text/text_extractor.h"

namespace lumenquill {

// The message for a PDF file whose text cannot be read because it is secured.
inline constexpr const char* kSecuredFileMessage =
    "セキュリティが設定されているPDFファイルからはテキストを抽出できません。";

// The message for a PDF file that the reader refused.
inline constexpr const char* kDamagedFileMessage =
    "このファイルは破損しているか対応できない形式です。";

// Why a PDF file could not be read, when the file itself was never read.
std::string OpenFailureMessage(FileOpenError::Cause cause);

// The page count a page range is chosen in: the document's, or -1 when it gives none (a page
// tree that cannot be walked and has no /Count), which no range fits and whose extraction then
// fails.
int32_t RangePageCount(const Document& document);

// The text file of a PDF when no save dialog chooses it: in the run's output folder, or beside
// the PDF, with ".txt".
std::string DefaultTextPath(const std::string& pdf, const RunOptions& options);

// The conversion of one PDF file into one text file with the user's settings, through the
// user interface of whoever started it. One per front end; a batch restarts its count.
class Conversion final {
 public:
  // A result is opened in the editor only while open_count is at most this.
  static constexpr int32_t kMaxOpenWindows = 10;

  // With a text output, the text of each document goes there, whole, and no file is written.
  explicit Conversion(UserInterface& ui, RunOptions options = {},
                      std::ostream* text_output = nullptr)
      : ui_(ui), options_(std::move(options)), text_output_(text_output) {}

  const RunOptions& Options() const { return options_; }

  // Every batch counts its loaded files from 0.
  void StartBatch();
  // After the last file of a batch: the warning of the files whose text had characters
  // replaced, when the user interface gathers it for the end.
  void EndBatch();

  // Opens (reading newer files when the run's option or the settings file says so), checks and
  // converts one file, or standard input for "-" (its text named "stdin.txt"); true when its text
  // file was written. Raises nothing: a file that could not be written is always reported, the
  // PDF's own failures when the warnings setting is on; the caller goes on with its next file.
  bool ConvertFile(const std::string& file_name);

  // The second half of ConvertFile for an open document: options (the run's over the settings
  // file's), page range, output path, overwrite question, progress, extraction, editor. True when
  // the text file was written; false when the user declined or cancelled. May raise what the
  // extractor raises.
  bool SaveAsText(Document& document);

  // Where a text file goes, and whether a file of that name may be replaced.
  struct OutputTarget {
    std::string path;
    ExistingFile existing;
  };
  // Writes the document's text into the target, whole or not at all, with the progress display
  // shown; the display's cancel or Escape stops it, and then false, the target left as it was.
  // Raises OutputError with the reason when the file may not be written (not a regular file,
  // read-only, no permission, in use by another process) or when writing it fails, and what
  // the extraction raises. Tells what the encoding replaced when substitutions is given.
  bool WriteTextFile(Document& document, const ExtractionOptions& options,
                     const OutputTarget& target, Substitutions* substitutions = nullptr);

  // Warns, when the warnings setting is on and the encoding replaced characters of the PDF's
  // text: at once or at the end of the batch, as the user interface does it.
  void WarnOfReplacedCharacters(const std::string& pdf, const Substitutions& substitutions);

  // Files that opened (and are not secured) in the current batch.
  int32_t open_count = 0;

 private:
  // An error box: the path, then the message on its own line.
  void ShowFailure(const std::string& path, const std::string& message);
  // The message, and on a line of its own the user interface's hint, when the reader refused
  // or secured the file for a reason that reading newer files would lift.
  std::string WithNewerFormatsHint(bool needs_newer_formats, const std::string& message) const;

  // The page range the run's options give in the document, with a note when the document ends
  // before the first page and the range is empty.
  PageRange RangeFromOptions(const Document& document);
  // The text file's path: in the output folder, chosen in the save dialog, or beside the PDF
  // with ".txt", after the overwrite question; and whether a file of that name may be replaced:
  // only when one existed and replacing it was agreed (by the question, the save dialog, the
  // option or the settings). Nothing when the user declines.
  std::optional<OutputTarget> OutputPath(const std::string& pdf, const ConversionFlags& flags);
  // Names a file whose extraction the user stopped (button or Escape) on the diagnostics.
  void ReportCancelled(const std::string& pdf);
  // Extracts into the text output; false when cancelled or when it cannot be written.
  bool WriteToTextOutput(Document& document, const ExtractionOptions& options,
                         ProgressDisplay& progress, Substitutions& substitutions);

  UserInterface& ui_;
  const RunOptions options_;
  std::ostream* const text_output_;
  // The files of the current batch whose warning waits for its end.
  std::vector<ReplacedCharacters> replaced_characters_;
};

}  // namespace lumenquill
