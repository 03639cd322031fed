#include "ui/dialog_ex.h"

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
  dialog.setNameFilters(NameFilters(Filter));
  if (!DefaultExt.isEmpty())
    dialog.setDefaultSuffix(QString(DefaultExt).remove(0, DefaultExt.startsWith('.') ? 1 : 0));
  dialog.setFileMode(Mode() == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                     : AllowMultiSelect                ? QFileDialog::ExistingFiles
                                                       : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !OverwritePrompt);
  if (!FileName.isEmpty()) dialog.selectFile(FileName);
  dialog.setLabelText(QFileDialog::Reject, "キャンセル");
  if (dialog.exec() != QDialog::Accepted) return false;
  Files = dialog.selectedFiles();
  FileName = Files.isEmpty() ? QString() : Files.first();
  return !Files.isEmpty();
}

std::unique_ptr<FileSaveDialog> FileSaveDialog::ForTextFiles(QWidget* owner) {
  auto dialog = std::make_unique<FileSaveDialog>(owner);
  dialog->Filter = "テキストファイル|*.txt";
  dialog->DefaultExt = ".txt";
  dialog->OverwritePrompt = true;
  return dialog;
}

void FileOpenDialog::DoHelp() {
  if (OnHelp) OnHelp(*this);
}

}  // namespace lumenquill
