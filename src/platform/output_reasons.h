#pragma once

namespace lumenquill {

// Why a text file could not be written, for the user: the reasons that the checks before an
// extraction and the output file on each system share.
inline constexpr const char* kNotRegularFileReason =
    "通常のファイルではないため、テキストファイルを保存できませんでした。";
inline constexpr const char* kNoWritePermissionReason =
    "書き込みの権限がないため、テキストファイルを保存できませんでした。";
inline constexpr const char* kReadOnlyFileReason =
    "指定されたファイルは読み込み専用です。上書き出来ません。";
inline constexpr const char* kFileInUseReason =
    "このファイルは使用中です。別名で保存してください。";
// The target did not exist when its name was chosen, and so replacing it was never agreed; a
// file of that name that appeared during the extraction is kept.
inline constexpr const char* kAppearedMeanwhileReason =
    "変換の間に同じ名前のファイルが作られたため、上書きしませんでした。";

}  // namespace lumenquill
