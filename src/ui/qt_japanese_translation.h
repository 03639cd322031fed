#pragma once

#include <QTranslator>

namespace lumenquill {

// Installs Qt's own Japanese translation (qtbase_ja.qm from Qt's translations folder) into the
// running application, whatever the locale, since the program speaks Japanese: the file
// dialogs, the message-box buttons and the save dialog's overwrite prompt then read Japanese,
// with the few texts of the file dialog that Qt's translation lacks.
// The translator belongs to the application; null when Qt's translation is not installed.
QTranslator* InstallQtJapaneseTranslation();

}  // namespace lumenquill
