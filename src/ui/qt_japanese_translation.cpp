#include "ui/qt_japanese_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <cstring>

namespace lumenquill {
namespace {

struct Translation {
  const char* context;
  const char* source;
  const char* japanese;
};

// Texts Qt shows in its file dialog on this system that qtbase_ja leaves in English: the file
// list's type column names folders, drives and links through these.
constexpr Translation kMissingFromQt[] = {
    {"QAbstractFileIconProvider", "Folder", "フォルダ"},
    {"QAbstractFileIconProvider", "Drive", "ドライブ"},
    {"QAbstractFileIconProvider", "Shortcut", "ショートカット"},
    {"QAbstractFileIconProvider", "Unknown", "不明"},
};

// Qt's Japanese translation with the texts it is missing.
class QtJapaneseTranslator final : public QTranslator {
 public:
  using QTranslator::QTranslator;

  QString translate(const char* context, const char* source, const char* disambiguation,
                    int n) const override {
    QString text = QTranslator::translate(context, source, disambiguation, n);
    if (!text.isEmpty()) return text;
    for (const Translation& missing : kMissingFromQt) {
      if (std::strcmp(context, missing.context) == 0 && std::strcmp(source, missing.source) == 0)
        return QString::fromUtf8(missing.japanese);
    }
    return text;
  }
};

}  // namespace

QTranslator* InstallQtJapaneseTranslation() {
  auto* translator = new QtJapaneseTranslator(QCoreApplication::instance());
  if (!translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

}  // namespace lumenquill
