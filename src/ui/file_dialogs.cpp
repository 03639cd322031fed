#include "ui/file_dialogs.h"

namespace lumenquill {

QStringList NameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  }
  return filters;
}

bool FileOpenDialog::Execute() {
  QFileDialog dialog(owner_);
  dialog.setAcceptMode(Mode());
  dialog.setNameFilters(NameFilters(filter));
  if (!default_ext.isEmpty())
    dialog.setDefaultSuffix(QString(default_ext).remove(0, default_ext.startsWith('.') ? 1 : 0));
  dialog.setFileMode(Mode() == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                     : allow_multi_select              ? QFileDialog::ExistingFiles
                                                       : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !overwrite_prompt);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  if (!file_name.isEmpty()) dialog.selectFile(file_name);
  dialog.setLabelText(QFileDialog::Reject, "キャンセル");
  if (Run(dialog) != QDialog::Accepted) return false;
  files = dialog.selectedFiles();
  file_name = files.isEmpty() ? QString() : files.first();
  return !files.isEmpty();
}

std::unique_ptr<FileSaveDialog> FileSaveDialog::ForTextFiles(QWidget* owner) {
  auto dialog = std::make_unique<FileSaveDialog>(owner);
  dialog->filter = "テキストファイル|*.txt";
  dialog->default_ext = ".txt";
  dialog->overwrite_prompt = true;
  return dialog;
}

void FileOpenDialog::DoHelp() {
  if (on_help) on_help(*this);
}

}  // namespace lumenquill
