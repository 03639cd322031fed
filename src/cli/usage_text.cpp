#include "cli/usage_text.h"

#include "app/version.h"

namespace lumenquill {

std::string HelpText() {
  return "使い方: lumenquill [オプション] PDFファイルまたはフォルダ...\n"
         "PDFファイルのテキストを抽出し、テキストファイル (a.pdf → a.txt、既定は Shift-JIS) に"
         "保存します。\n"
         "指定したファイルは、拡張子が .pdf でなくても内容が PDF なら変換します。\n"
         "フォルダを指定すると、その直下の PDF ファイル (*.pdf) をすべて変換します。\n"
         "- は標準入力の PDF を読みます (--stdout か --output-dir と共に。"
         "名前は stdin.txt)。\n"
         "オプションはこの実行だけに効き、設定ファイルは変更しません。\n"
         "値は --jobs=2 のようにも書け、短いオプションはまとめて -qj2 とも書けます。\n"
         "\n"
         "  --first N          N ページ目から抽出する (文書の後ろなら空のテキスト)\n"
         "                     extract from page N (past the end: an empty text)\n"
         "  --last M           M ページ目まで抽出する (文書の後ろなら最後のページまで)\n"
         "                     extract up to page M (past the end: to the last page)\n"
         "  --no-banner        ページごとの区切り線を付けない\n"
         "                     no page banners\n"
         "  --eol crlf|lf|cr   改行コード\n"
         "                     line ends\n"
         "  --no-breaks        文字の配置による改行をしない\n"
         "                     no line breaks from the text's positions\n"
         "  --encoding sjis|utf-8|utf-8-bom|utf-16\n"
         "                     テキストの文字コード (utf-16 は BOM 付きの UTF-16LE)\n"
         "                     the text's encoding (utf-16: UTF-16LE with a byte order mark)\n"
         "  --fold-compatibility 互換文字を正規化する (全角英数字を半角に、半角カナを全角に、\n"
         "                     康熙部首と互換漢字を統合漢字に。Unicode の出力のみ)\n"
         "                     fold compatibility forms (Unicode encodings only)\n"
         "  --layout           ページ上の位置の順に並べる (段組み、縦書き、表、ルビを読む順に)\n"
         "                     read each page in the order of its layout (columns, vertical\n"
         "                     text, tables, ruby)\n"
         "  --ruby drop|bracket|as-drawn\n"
         "                     レイアウト順でのルビ: 除く (既定)、《》で囲んで親文字の後に残す、\n"
         "                     描かれたとおりに残す\n"
         "                     ruby in layout order: left out (the default), kept after its\n"
         "                     base in 《》, or kept as drawn\n"
         "  --output-dir DIR   テキストファイルを DIR に保存する (名前は PDF ファイルから)\n"
         "                     write the text files into DIR\n"
         "  --stdout           テキストを標準出力に書き出す (ファイルは作らない)\n"
         "                     write the text to standard output, no file\n"
         "  --overwrite        既存のテキストファイルを確認せずに上書きする\n"
         "                     replace existing text files without asking\n"
         "  --no-overwrite     既存のテキストファイルは上書きしない\n"
         "                     never replace an existing text file\n"
         "  --no-open          変換結果をエディタで開かない\n"
         "                     do not open the results in the editor\n"
         "  --newer-formats    新しい形式の PDF (1.5〜2.0、相互参照ストリーム、オブジェクト\n"
         "                     ストリーム、空のパスワードの暗号化) も読み込む\n"
         "                     also read newer PDF files (1.5 to 2.0, cross-reference and\n"
         "                     object streams, an empty user password)\n"
         "  -q, --quiet        進行状況と案内 (コンソールでは結果のファイル名も) を表示しない\n"
         "                     (エラーは表示する)\n"
         "                     no progress or notes (nor the results' names), only errors\n"
         "  -j, --jobs N       N 個のファイルを同時に変換する (既定 1)\n"
         "                     convert up to N files at once\n"
         "  -r, --recursive    フォルダの下のフォルダの PDF ファイルも名前順に変換する\n"
         "                     (隠しファイルとフォルダへのリンクは除く)\n"
         "                     also convert the PDF files of subfolders, in name order\n"
         "  -h, --help         この説明を表示する\n"
         "                     show this help\n"
         "  --version          バージョンを表示する\n"
         "                     show the version\n"
         "  --                 以降の引数はすべてファイルとして扱う\n"
         "                     every later argument is a file\n"
         "\n"
         "終了ステータス: 0 すべて変換した / 1 変換できなかったファイルがある / "
         "2 使い方の誤り /\n"
#ifdef _WIN32
         "                130 Ctrl+C, Ctrl+Break / 129 "
         "コンソールを閉じた、ログオフ、シャットダウン\n"
         "設定ファイル: 環境変数 LUMENQUILL_INI のファイル、なければ実行ファイルと同じ場所の "
         "lumenquill.ini、\n"
         "その場所に書き込めない場合 (Program Files) は "
         "%APPDATA%\\Lumenquill\\lumenquill.ini\n";
#else
         "                129, 130, 143 SIGHUP, SIGINT, SIGTERM で終了した\n"
         "設定ファイル: 環境変数 LUMENQUILL_INI のファイル、なければ実行ファイルと同じ場所の "
         "lumenquill.ini、\n"
         "インストールされたプログラムでは $XDG_CONFIG_HOME/lumenquill/lumenquill.ini "
         "(既定は ~/.config の下)\n";
#endif
}

std::string ShortUsage() {
  return "使い方: lumenquill [オプション] PDFファイルまたはフォルダ...\n"
         "詳しくは lumenquill --help を参照してください。\n";
}

std::string VersionLine() { return std::string("Lumenquill ") + kProgramVersion + "\n"; }

}  // namespace lumenquill
