#include "ui/file_dialogs.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>

namespace lumenquill {
namespace {

// Widens the side bar of places to its longest entry ("コンピュータ"), taking the room from the
// file list beside it.
void FitSideBar(QFileDialog& dialog) {
  auto* places = dialog.findChild<QListView*>("sidebar");
  auto* splitter = dialog.findChild<QSplitter*>("splitter");
  if (places == nullptr || splitter == nullptr || splitter->count() < 2) return;
  const QAbstractItemView& view = *places;  // where the size hint of a column is public
  const int wanted = view.sizeHintForColumn(0) + 2 * places->frameWidth() +
                     places->verticalScrollBar()->sizeHint().width();
  QList<int> sizes = splitter->sizes();
  if (sizes[0] >= wanted) return;
  sizes[1] -= wanted - sizes[0];
  sizes[0] = wanted;
  splitter->setSizes(sizes);
}

// Qt's own file dialog, used where the platform offers none, opens with columns too narrow for
// Japanese type names ("平文テキストドキュメント") and a side bar too narrow for its places: once
// a folder is read, the side bar and the columns after the name fit their contents, and the
// dialog widens, within its screen, until they all show. The platform's dialog has no such list
// and is left alone.
void FitColumnsOnceRead(QFileDialog& dialog) {
  auto* details = dialog.findChild<QTreeView*>("treeView");
  auto* model = dialog.findChild<QFileSystemModel*>();
  if (details == nullptr || model == nullptr) return;
  QObject::connect(model, &QFileSystemModel::directoryLoaded, details, [&dialog, details] {
    FitSideBar(dialog);
    for (int column = 1; column < details->header()->count(); ++column) {
      details->resizeColumnToContents(column);
    }
    const int missing = details->header()->length() - details->viewport()->width();
    const int widest = dialog.screen()->availableGeometry().width() * 9 / 10;
    if (missing > 0) dialog.resize(std::min(dialog.width() + missing, widest), dialog.height());
  });
}

}  // namespace

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
  FitColumnsOnceRead(dialog);
  if (Run(dialog) != QDialog::Accepted) return false;
  files = dialog.selectedFiles();
  file_name = files.isEmpty() ? QString() : files.first();
  return !files.isEmpty();
}

std::unique_ptr<FileSaveDialog> FileSaveDialog::ForTextFiles(QWidget* owner) {
  auto dialog = std::make_unique<FileSaveDialog>(owner);
  dialog->UseForTextFiles();
  return dialog;
}

void FileSaveDialog::UseForTextFiles() {
  filter = "テキストファイル|*.txt";
  default_ext = ".txt";
  overwrite_prompt = true;
}

void FileOpenDialog::DoHelp() {
  if (on_help) on_help(*this);
}

}  // namespace lumenquill
