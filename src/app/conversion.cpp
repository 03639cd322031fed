#include "app/conversion.h"

#include <optional>

#include "app/input_rule.h"
#include "app/page_range_check.h"
#include "app/path_names.h"
#include "app/settings.h"
#include "content/decodable_document.h"
#include "platform/error.h"
#include "platform/escape_key.h"
#include "platform/file_attributes.h"
#include "platform/file_reading.h"
#include "platform/locked_file.h"
#include "platform/output_reasons.h"
#include "platform/path_text.h"
#include "reader/check_file_writable.h"
#include "reader/memory_stream.h"
#include "text/text_extractor.h"

namespace lumenquill {
namespace {

// The name that a document read from standard input goes by, and its text file after it.
constexpr const char* kStandardInputName = "stdin";

// Shows the progress display and connects the extraction's reports to it. A press of Escape
// latched since the last report cancels, as the display's cancel button does.
ExtractionProgress ConnectProgress(ProgressDisplay& progress) {
  progress.Present();
  const auto take_escape = [&progress] {
    if (TakeEscapeKeyPress()) progress.cancelled = true;
  };
  return ExtractionProgress{[&progress, take_escape](int32_t percent) {
                              progress.ShowProgress(0, 100, percent, false);
                              take_escape();
                            },
                            [&progress, take_escape] {
                              progress.ProcessPendingInput();
                              take_escape();
                            },
                            [&progress] { progress.ShowProgress(0, 100, 100, true); },
                            {}};
}

// Why an output file was refused before anything was written.
const char* RefusalReason(FileCreateError::Cause cause) {
  switch (cause) {
    case FileCreateError::Cause::kNotRegular:
      return kNotRegularFileReason;
    case FileCreateError::Cause::kReadOnly:
      return kReadOnlyFileReason;
    case FileCreateError::Cause::kNoPermission:
      return kNoWritePermissionReason;
    case FileCreateError::Cause::kInUse:
      break;
  }
  return kFileInUseReason;
}

}  // namespace

std::string OpenFailureMessage(FileOpenError::Cause cause) {
  switch (cause) {
    case FileOpenError::Cause::kNotFound:
      return "ファイルが見つかりません。";
    case FileOpenError::Cause::kNoPermission:
      return "ファイルを読み込む権限がありません。";
    case FileOpenError::Cause::kLocked:
      return "このファイルは他のプロセスが使用中のため読み込めません。";
    case FileOpenError::Cause::kNotRegular:
      return "通常のファイルではないため読み込めません。";
    case FileOpenError::Cause::kTooLarge:
      return "ファイルが大きすぎるため読み込めません。(上限 1 GiB)";
    case FileOpenError::Cause::kOther:
      break;
  }
  return kDamagedFileMessage;
}

int32_t RangePageCount(const Document& document) { return document.PageCount().value_or(-1); }

std::string DefaultTextPath(const std::string& pdf, const RunOptions& options) {
  const std::string path =
      WithExtension(pdf == kStandardInputArgument ? kStandardInputName : pdf, ".txt");
  if (!options.output_folder) return path;
  return WithTrailingSeparator(*options.output_folder) + FileNamePart(path);
}

void Conversion::StartBatch() {
  open_count = 0;
  replaced_characters_.clear();
}

void Conversion::EndBatch() {
  if (replaced_characters_.empty()) return;
  ui_.ShowMessage(kMessageCaption, SubstitutionSummary(replaced_characters_),
                  MessageIcon::kWarning);
  replaced_characters_.clear();
}

void Conversion::WarnOfReplacedCharacters(const std::string& pdf,
                                          const Substitutions& substitutions) {
  if (!substitutions.Any() || !ReadShowWarnings()) return;
  if (ui_.WarnsOfReplacedCharactersAtOnce()) {
    ui_.ShowMessage(kMessageCaption, pdf + "\r\n" + SubstitutionWarning(substitutions),
                    MessageIcon::kWarning);
  } else {
    replaced_characters_.push_back({pdf, SubstitutionCounts(substitutions)});
  }
}

void Conversion::ShowFailure(const std::string& path, const std::string& message) {
  ui_.ShowMessage(kMessageCaption, path + "\r\n" + message, MessageIcon::kError);
}

std::string Conversion::WithNewerFormatsHint(bool needs_newer_formats,
                                             const std::string& message) const {
  if (!needs_newer_formats) return message;
  return message + "\r\n" + ui_.NewerFormatsHint();
}

bool Conversion::ConvertFile(const std::string& file_name) {
  const bool show_warnings = ReadShowWarnings();
  // The settings file is read only when the command line leaves the choice to it.
  const Document::Options open_options{options_.newer_formats ? *options_.newer_formats
                                                              : ReadNewerFormats()};
  std::unique_ptr<Document> document;
  try {
    if (file_name == kStandardInputArgument) {
      // Bounded as a file is; the text is named after "stdin".
      document = Document::OpenStream(std::make_unique<MemoryStream>(ReadStandardInput(
                                          static_cast<size_t>(LockedFile::kMaxReadableFileSize))),
                                      kStandardInputName, open_options);
    } else {
      document = Document::OpenFile(file_name, open_options);
    }
  } catch (const FileOpenError& error) {
    if (show_warnings) ShowFailure(file_name, OpenFailureMessage(error.cause()));
    return false;
  } catch (const LoadError& error) {
    if (show_warnings) {
      ShowFailure(file_name, WithNewerFormatsHint(error.NeedsNewerFormats(), kDamagedFileMessage));
    }
    return false;
  } catch (const Error&) {
    if (show_warnings) ShowFailure(file_name, kDamagedFileMessage);
    return false;
  }
  if (document->Encrypted()) {
    if (show_warnings) {
      ShowFailure(file_name,
                  WithNewerFormatsHint(document->NeedsNewerFormats(), kSecuredFileMessage));
    }
    return false;
  }
  ++open_count;
  try {
    return SaveAsText(*document);
  } catch (const OutputError& error) {
    // Lost output is always told, whatever the warnings setting: it is not about the PDF.
    ShowFailure(error.path(), error.what());
  } catch (const Error&) {
    // The document failed while its pages were read; no text file was written.
    if (show_warnings) ShowFailure(file_name, kDamagedFileMessage);
  }
  return false;
}

bool Conversion::SaveAsText(Document& document) {
  ProgressDisplay& progress = ui_.Progress();
  progress.cancelled = false;
  // A document that cannot be extracted is refused before any question is asked.
  CheckDecodable(document);
  // Whatever happens from here, the progress display ends hidden.
  struct HideAtEnd {
    ProgressDisplay& progress;
    ~HideAtEnd() { progress.Hide(); }
  } hide_at_end{progress};

  ui_.LeaveAlwaysOnTop();
  ExtractionOptions extraction;
  ConversionFlags flags = LoadOptions(extraction);
  ApplyRunOptions(options_, extraction);
  ApplyRunOptions(options_, flags);

  const std::string& pdf = document.FileName();
  PageRange range{1, RangePageCount(document)};
  if (options_.HasPageRange()) {
    range = RangeFromOptions(document);
  } else if (flags.ask_page_range) {
    const std::optional<PageRange> chosen =
        ui_.ChoosePageRange(RangePageCount(document), " - ( " + FileNamePart(pdf) + " )");
    if (!chosen) return false;
    range = *chosen;
  }
  extraction.pages = range;
  Substitutions substitutions;
  if (text_output_ != nullptr) {
    const bool written = WriteToTextOutput(document, extraction, progress, substitutions);
    if (progress.cancelled) ReportCancelled(pdf);
    if (written) WarnOfReplacedCharacters(pdf, substitutions);
    return written;
  }

  const std::optional<OutputTarget> output = OutputPath(pdf, flags);
  if (!output) return false;

  WriteTextFile(document, extraction, *output, &substitutions);
  // A cancel that came with the last report counts too, though the file was then written.
  if (progress.cancelled) {
    ReportCancelled(pdf);
    return false;
  }
  WarnOfReplacedCharacters(pdf, substitutions);

  if (flags.open_in_editor && open_count <= kMaxOpenWindows) ui_.OpenInApplication(output->path);
  return true;
}

bool Conversion::WriteTextFile(Document& document, const ExtractionOptions& options,
                               const OutputTarget& target, Substitutions* substitutions) {
  ProgressDisplay& progress = ui_.Progress();
  // Shown before the file is checked, so that a refusal comes with the display up.
  const ExtractionProgress reports = ConnectProgress(progress);
  try {
    CheckFileWritable(target.path);
  } catch (const FileCreateError& error) {
    throw OutputError(target.path, RefusalReason(error.cause()));
  }
  OutputFile file(target.path, target.existing);
  if (!Extract(
          document, options, [&file](std::string_view text) { file.Write(text); },
          progress.cancelled, reports, substitutions)) {
    return false;  // the file is dropped unwritten: the target stays as it was
  }
  file.Commit();
  return true;
}

void Conversion::ReportCancelled(const std::string& pdf) {
  ui_.Diagnostics() << kMessageCaption << ": " << pdf << ": 中止しました\n" << std::flush;
}

PageRange Conversion::RangeFromOptions(const Document& document) {
  const int32_t count = RangePageCount(document);
  const PageRange range = PagesFromOptions(options_.first_page, options_.last_page, count);
  if (range.first > count && ReadShowWarnings()) {
    ui_.ShowMessage(kMessageCaption, document.FileName() + "\r\n" + EmptyRangeNote(range, count),
                    MessageIcon::kWarning);
  }
  return range;
}

std::optional<Conversion::OutputTarget> Conversion::OutputPath(const std::string& pdf,
                                                               const ConversionFlags& flags) {
  if (flags.ask_save_path) {
    // The dialog asked before choosing a file that exists.
    std::optional<std::string> chosen = ui_.ChooseSavePath(WithExtension(pdf, ""));
    if (!chosen) return std::nullopt;
    const ExistingFile existing =
        FileExists(*chosen) ? ExistingFile::kReplace : ExistingFile::kKeep;
    return OutputTarget{std::move(*chosen), existing};
  }
  std::string path = DefaultTextPath(pdf, options_);
  if (!FileExists(path)) return OutputTarget{std::move(path), ExistingFile::kKeep};
  if (options_.overwrite == false) {
    ShowFailure(path, "このファイルは既に存在するため、上書きしませんでした。");
    return std::nullopt;
  }
  if (flags.confirm_overwrite &&
      !ui_.AskYesNo(kMessageCaption,
                    path + "\r\n" + "指定されたファイルは既に存在します。上書きしますか？")) {
    return std::nullopt;
  }
  return OutputTarget{std::move(path), ExistingFile::kReplace};
}

bool Conversion::WriteToTextOutput(Document& document, const ExtractionOptions& options,
                                   ProgressDisplay& progress, Substitutions& substitutions) {
  std::string text;
  if (!Extract(
          document, options, [&text](std::string_view part) { text += part; }, progress.cancelled,
          ConnectProgress(progress), &substitutions)) {
    return false;
  }
  // Written only when whole, so that the output holds no part of a document that failed.
  *text_output_ << text << std::flush;
  if (!*text_output_) {
    ShowFailure("標準出力", "テキストを書き込めませんでした。");
    return false;
  }
  return true;
}

}  // namespace lumenquill
