// lumenquill-info: prints what the reader sees in PDF files, for users who want to know why a
// file fails and for tests.
//
//   lumenquill-info FILE...            the document summary and page list of each file
//   lumenquill-info --fonts FILE...    each page's contents, fonts and form XObjects
//   lumenquill-info --object N FILE    object N as copied, and its stream decoded
//   lumenquill-info --extract OUT.txt [options] FILE   the text of FILE, as the product
//                                      writes it (see extract_command.h)
//   lumenquill-info --layout-dump FILE the lines and columns the layout order reads on each
//                                      page (see layout_dump.h)
//
//   lumenquill-info --help | --version
//
// --newer-formats, anywhere before "--", lets the reader open newer files (PDF 1.5 to 2.0,
// cross-reference and object streams, an empty user password) for any of them.
//
// A value may be joined to its option ("--object=4"). A file that fails prints
// "lumenquill-info: path: message" on standard error, in lumenquill's words where lumenquill
// has them (a file that cannot be opened, the hint about --newer-formats), else the message of
// the failing check; the exit status is 1 when any file failed, 2 when the arguments are not
// understood.

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/option_spellings.h"
#include "app/version.h"
#include "info/document_report.h"
#include "info/extract_command.h"
#include "info/failure_line.h"
#include "info/font_report.h"
#include "info/layout_dump.h"
#include "info/object_report.h"
#include "platform/console_session.h"
#include "platform/console_streams.h"
#include "platform/error.h"
#include "platform/interruption.h"
#include "reader/decimal_text.h"
#include "reader/document.h"

namespace {

constexpr const char* kUsage =
    "使い方: lumenquill-info [--newer-formats] FILE...\n"
    "        lumenquill-info [--newer-formats] --fonts FILE...\n"
    "        lumenquill-info [--newer-formats] --object N FILE\n"
    "        lumenquill-info [--newer-formats] --extract OUT.txt [--first N] [--last M]\n"
    "                        [--no-banner] [--eol crlf|lf|cr] [--no-breaks]\n"
    "                        [--encoding sjis|utf-8|utf-8-bom|utf-16] [--fold-compatibility]\n"
    "                        [--layout] [--ruby drop|bracket|as-drawn] FILE\n"
    "        lumenquill-info [--newer-formats] --layout-dump FILE\n"
    "        lumenquill-info --help | --version\n";

constexpr const char* kHelp =
    "PDFファイルを読み取った結果を表示します。\n"
    "  FILE...                     文書の概要とページの一覧\n"
    "                              the document summary and its pages\n"
    "  --fonts FILE...             ページごとの内容、フォント、フォーム XObject\n"
    "                              each page's contents, fonts and form XObjects\n"
    "  --object N FILE             オブジェクト N とそのストリームの内容\n"
    "                              object N and its stream decoded\n"
    "  --extract OUT.txt ... FILE  FILE のテキストを OUT.txt に書き出す\n"
    "                              the text of FILE into OUT.txt\n"
    "                              (置き換えた文字があれば標準エラーに表示)\n"
    "                              (characters replaced are told on standard error)\n"
    "  --layout-dump FILE          レイアウト順で読んだ各ページの行と列: ページ番号、\n"
    "                              h (横書きの行) か v (縦書きの列)、位置 [左 下 右 上]\n"
    "                              (ポイント)、ruby (ルビ) か text、その文字列 (UTF-8)\n"
    "                              each line and column the layout order reads: page,\n"
    "                              h or v, box [left bottom right top] in points, ruby or\n"
    "                              text, and its text in UTF-8\n"
    "  --newer-formats             新しい形式の PDF (1.5〜2.0、相互参照ストリーム、\n"
    "                              オブジェクトストリーム、空のパスワードの暗号化) も読み込む\n"
    "                              also read newer PDF files (1.5 to 2.0, cross-reference\n"
    "                              and object streams, an empty user password)\n"
    "  --                          以降の引数はすべてファイルとして扱う\n"
    "                              every later argument is a file\n"
    "値は --object=4 のようにも書けます。--extract の --first、--last が文書の後ろを指すと、\n"
    "lumenquill と同じく最後のページまで (--first なら空のテキスト) になります。\n"
    "失敗したファイルがあれば終了ステータスは 1、使い方の誤りは 2 です。\n";

int UsageError(const std::string& message) {
  std::cerr << "lumenquill-info: " << message << '\n' << kUsage;
  return 2;
}

using Report = void (*)(lumenquill::Document&, std::ostream&);

// Opens the file as the reports read it; on failure, tells why and gives nothing.
std::unique_ptr<lumenquill::Document> OpenDocument(const std::string& path, bool newer_formats) {
  try {
    return lumenquill::Document::OpenFile(path, {newer_formats});
  } catch (const lumenquill::Error& error) {
    lumenquill::ReportFailure(path, error, nullptr);
    return nullptr;
  }
}

int ReportDocuments(Report report, const std::vector<std::string>& paths, bool newer_formats) {
  int status = 0;
  for (const std::string& path : paths) {
    const std::unique_ptr<lumenquill::Document> document = OpenDocument(path, newer_formats);
    if (!document) {
      status = 1;
      continue;
    }
    try {
      std::cout << "file: " << path << '\n';
      report(*document, std::cout);
    } catch (const lumenquill::Error& error) {
      lumenquill::ReportFailure(path, error, document.get());
      status = 1;
    }
  }
  return status;
}

int ReportObject(const std::string& number, const std::string& path, bool newer_formats) {
  const std::optional<int32_t> n = lumenquill::ParseDecimal(number);
  if (!n || *n < 0) return UsageError("オブジェクト番号が正しくありません: " + number);
  const std::unique_ptr<lumenquill::Document> document = OpenDocument(path, newer_formats);
  if (!document) return 1;
  try {
    if (!document->Xref().Contains(*n)) {
      lumenquill::ReportFailure(path, "このファイルにオブジェクト " + number +
                                          " はありません。(オブジェクト数 " +
                                          std::to_string(document->Xref().Size()) + ")");
      return 1;
    }
    lumenquill::WriteObjectReport(*document, *n, std::cout);
    return 0;
  } catch (const lumenquill::Error& error) {
    lumenquill::ReportFailure(path, error, document.get());
    return 1;
  }
}

// Takes every "--newer-formats" before the first "--" out of the arguments; true when there was
// one.
bool TakeNewerFormatsOption(std::vector<std::string>& args) {
  const auto options_end = std::find(args.begin(), args.end(), "--");
  const auto kept_end = std::remove(args.begin(), options_end, "--newer-formats");
  const bool taken = kept_end != options_end;
  args.erase(kept_end, options_end);
  return taken;
}

// The files of a report: every argument, an option being an error, except after "--".
std::optional<std::vector<std::string>> FileArguments(
    std::vector<std::string>::const_iterator begin, std::vector<std::string>::const_iterator end,
    std::string& error) {
  std::vector<std::string> files;
  bool options_ended = false;
  for (auto argument = begin; argument != end; ++argument) {
    if (!options_ended && *argument == "--") {
      options_ended = true;
    } else if (!options_ended && argument->size() > 1 && argument->starts_with("-")) {
      error = "不明なオプションです: " + *argument;
      return std::nullopt;
    } else {
      files.push_back(*argument);
    }
  }
  if (files.empty()) {
    error = "ファイルを指定してください";
    return std::nullopt;
  }
  return files;
}

// The options of --extract are lumenquill's own and are read by its parser.
const lumenquill::OptionTable kOptions{{"--object", "--extract", "--layout-dump"},
                                       {"--fonts", "--newer-formats", "--help", "--version"},
                                       "h",
                                       ""};

// The command the arguments ask for; its exit status.
int Run(const std::vector<std::string>& arguments) {
  // Each option and each value in an argument of its own ("--object=4" gives two).
  const auto separated = lumenquill::SeparateOptions(arguments, kOptions);
  if (const auto* error = std::get_if<std::string>(&separated)) return UsageError(*error);
  std::vector<std::string> args = std::get<std::vector<std::string>>(separated);
  const bool newer_formats = TakeNewerFormatsOption(args);
  if (args.empty()) return UsageError("ファイルを指定してください");
  if (args[0] == "--help" || args[0] == "-h") {
    std::cout << kUsage << kHelp << std::flush;
    return std::cout ? 0 : 1;
  }
  if (args[0] == "--version") {
    std::cout << "lumenquill-info (Lumenquill " << lumenquill::kProgramVersion << ")\n"
              << std::flush;
    return std::cout ? 0 : 1;
  }
  if (args[0] == "--object") {
    if (args.size() != 3) return UsageError("--object には番号とファイルを 1 つずつ指定します");
    return ReportObject(args[1], args[2], newer_formats);
  }
  if (args[0] == "--layout-dump") {
    if (args.size() != 2) return UsageError("--layout-dump にはファイルを 1 つ指定します");
    return lumenquill::RunLayoutDump(args[1], newer_formats);
  }
  if (args[0] == "--extract") {
    return lumenquill::RunExtractCommand({args.begin() + 1, args.end()}, newer_formats);
  }
  const bool fonts = args[0] == "--fonts";
  std::string error;
  const std::optional<std::vector<std::string>> files =
      FileArguments(args.begin() + (fonts ? 1 : 0), args.end(), error);
  if (!files) return UsageError(error);
  return ReportDocuments(fonts ? lumenquill::WriteFontReport : lumenquill::WriteDocumentReport,
                         *files, newer_formats);
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  lumenquill::UseConsoleForStandardStreams();
  lumenquill::InstallInterruptionHandlers();
  try {
    return Run(lumenquill::ProgramArguments(argc, argv));
  } catch (const std::exception& error) {
    // A fault of the program rather than of a file: told, never passed over.
    std::cout.flush();
    std::cerr << "lumenquill-info: " << error.what() << '\n';
    return 1;
  }
}
