#include <gtest/gtest.h>

#include <QScreen>

#include "settings_file.h"
#include "ui/options_dialog.h"
#include "ui/page_range_dialog.h"

namespace lumenquill {
namespace {

// The options and page-range dialogs open centred on the screen and wholly on it, not centred
// on an owner at the screen's corner, and offer no minimise or maximise buttons.
TEST(FixedDialogs, OpenCentredOnTheScreenWithOnlyACloseButton) {
  testing::SettingsFile file("");
  QWidget owner;
  owner.setGeometry(0, 0, 295, 180);
  owner.show();
  OptionsDialog options(&owner);
  PageRangeDialog page(&owner);
  const QRect area = owner.screen()->availableGeometry();
  for (QDialog* dialog : {static_cast<QDialog*>(&options), static_cast<QDialog*>(&page)}) {
    dialog->show();
    EXPECT_TRUE(area.contains(dialog->frameGeometry())) << dialog->objectName().toStdString();
    EXPECT_LE((dialog->frameGeometry().center() - area.center()).manhattanLength(), 8)
        << dialog->objectName().toStdString();
    EXPECT_FALSE(dialog->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    dialog->hide();
  }
}

}  // namespace
}  // namespace lumenquill
