#include "ui/qt_japanese_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace lumenquill {

QTranslator* InstallQtJapaneseTranslation() {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

}  // namespace lumenquill
