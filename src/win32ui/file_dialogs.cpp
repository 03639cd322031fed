#include "win32ui/file_dialogs.h"

#include <commdlg.h>

#include "platform/wide_text.h"

namespace lumenquill {
namespace {

// Room for many chosen files at once, each up to the long-path limit.
constexpr size_t kFileListCharacters = 1 << 16;

// Where the folder of a path (Windows separators or "/") ends; npos without one.
size_t FolderEnd(const std::wstring& path) { return path.find_last_of(L"\\/"); }

OPENFILENAMEW DialogRecord(HWND owner, const wchar_t* filter, std::wstring& files) {
  OPENFILENAMEW record = {};
  record.lStructSize = sizeof(record);
  record.hwndOwner = owner;
  record.lpstrFilter = filter;
  record.nFilterIndex = 1;
  record.lpstrFile = files.data();
  record.nMaxFile = static_cast<DWORD>(files.size());
  record.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  return record;
}

}  // namespace

std::optional<std::vector<std::string>> ChoosePdfFiles(HWND owner) {
  std::wstring files(kFileListCharacters, L'\0');
  OPENFILENAMEW record = DialogRecord(owner, L"PDF - Portable Document Format\0*.pdf\0", files);
  record.Flags |= OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&record)) return std::nullopt;
  // One file: its full path. Several: the folder, then each name, each ended by a null.
  std::vector<std::wstring> parts;
  for (const wchar_t* part = files.c_str(); *part != L'\0'; part += wcslen(part) + 1) {
    parts.emplace_back(part);
  }
  std::vector<std::string> chosen;
  if (parts.size() == 1) {
    chosen.push_back(Narrow(parts[0]));
  } else {
    for (size_t i = 1; i < parts.size(); ++i) chosen.push_back(Narrow(parts[0] + L"\\" + parts[i]));
  }
  return chosen;
}

std::optional<std::string> ChooseTextFilePath(HWND owner, const std::string& proposed_path) {
  const std::wstring proposed = Widen(proposed_path);
  const size_t folder_end = FolderEnd(proposed);
  const std::wstring folder =
      folder_end == std::wstring::npos ? std::wstring() : proposed.substr(0, folder_end);
  std::wstring file(kFileListCharacters, L'\0');
  proposed.substr(folder_end == std::wstring::npos ? 0 : folder_end + 1)
      .copy(file.data(), file.size() - 1);
  OPENFILENAMEW record = DialogRecord(owner, L"テキストファイル\0*.txt\0", file);
  record.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  record.lpstrDefExt = L"txt";
  record.Flags |= OFN_OVERWRITEPROMPT;
  if (!GetSaveFileNameW(&record)) return std::nullopt;
  return Narrow(file.c_str());
}

}  // namespace lumenquill
