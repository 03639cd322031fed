#include "app/conversion.h"

#include <optional>

#include "app/path_names.h"
#include "app/settings.h"
#include "platform/error.h"
#include "platform/file_attributes.h"
#include "text/pdf_text_decoder.h"

namespace lumenquill {
namespace {

constexpr const char* kCaption = "Lumenquill";
constexpr const char* kDamaged = "このファイルは破損しているか対応できない形式です。";

// Why a PDF file could not be read, when the file itself was never read.
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
  return kDamaged;
}

// The output path: chosen in the save dialog, or beside the PDF with ".txt" (after the
// overwrite question). Nothing when the user declines.
std::optional<std::string> OutputPath(UserInterface& ui, const std::string& pdf,
                                      const ConversionFlags& flags) {
  if (flags.AskSavePath) return ui.ChooseSavePath(WithExtension(pdf, ""));
  const std::string path = WithExtension(pdf, ".txt");
  if (flags.ConfirmOverwrite && FileExists(path) &&
      !ui.AskYesNo(kCaption,
                   path + "\r\n" + "指定されたファイルは既に存在します。上書きしますか？")) {
    return std::nullopt;
  }
  return path;
}

}  // namespace

void Conversion::ShowFailure(const std::string& path, const std::string& message) {
  ui_.ShowMessage(kCaption, path + "\r\n" + message, MessageIcon::kError);
}

bool Conversion::ConvertFile(const std::string& file_name) {
  const bool show_warnings = ReadShowWarnings();
  TPDFAnalyst analyst;
  try {
    analyst.LoadFromFile(file_name);
  } catch (const FileOpenError& error) {
    if (show_warnings) ShowFailure(file_name, OpenFailureMessage(error.cause()));
    return false;
  } catch (const std::exception&) {
    if (show_warnings) ShowFailure(file_name, kDamaged);
    return false;
  }
  if (analyst.Encrypted()) {
    if (show_warnings) {
      ShowFailure(file_name,
                  "セキュリティが設定されているPDFファイルからはテキストを抽出できません。");
    }
    return false;
  }
  ++OpenCount;
  try {
    return SaveAsText(analyst);
  } catch (const OutputError& error) {
    // Lost output is always told, whatever the warnings setting: it is not about the PDF.
    ShowFailure(error.path(), error.what());
  } catch (const std::exception&) {
    // The document failed while its pages were read; no text file was written.
    if (show_warnings) ShowFailure(file_name, kDamaged);
  }
  return false;
}

bool Conversion::SaveAsText(TPDFAnalyst& analyst) {
  ProgressDisplay& progress = ui_.Progress();
  progress.Cancelled = false;
  TPDFTextDecoder decoder(&analyst);
  // Whatever happens from here, the progress display ends hidden.
  struct HideAtEnd {
    ProgressDisplay& progress;
    ~HideAtEnd() { progress.Hide(); }
  } hide_at_end{progress};

  ui_.LeaveAlwaysOnTop();
  const ConversionFlags flags = LoadOptions(decoder);

  PageRange range{1, analyst.PageCount()};
  if (flags.PageRange) {
    const std::optional<PageRange> chosen =
        ui_.ChoosePageRange(analyst, " - ( " + FileNamePart(analyst.FileName()) + " )");
    if (!chosen) return false;
    range = *chosen;
  }

  const std::optional<std::string> output = OutputPath(ui_, analyst.FileName(), flags);
  if (!output) return false;

  progress.Present();
  decoder.ProcessPendingInput = [&progress] { progress.ProcessPendingInput(); };
  decoder.ExtractToFile(
      *output, range.first, range.last,
      [&progress](int32_t min, int32_t max, int32_t position, bool done) {
        progress.ShowProgress(min, max, position, done);
      },
      progress.Cancelled);
  if (progress.Cancelled) return false;

  if (flags.OpenInEditor && OpenCount <= MaxOpenWindows) ui_.OpenInApplication(*output);
  return true;
}

}  // namespace lumenquill
