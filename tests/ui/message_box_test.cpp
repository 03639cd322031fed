#include <gtest/gtest.h>

#include <QLabel>

#include "ui/message_box.h"

namespace lumenquill {
namespace {

// The path and the secured-file message stay on one line each, where Qt would wrap the box's
// text at about half the screen's width; markup characters of a path are shown as they are.
TEST(MessageBox, KeepsEachLineWhole) {
  const QString path = "/home/利用者/書類/二〇二六年度/報告書 & <添付資料> の一覧.pdf";
  const QString message = "セキュリティが設定されているPDFファイルからはテキストを抽出できません。";
  const auto box = MakeMessageBox(QMessageBox::Critical, "Lumenquill", path + "\r\n" + message,
                                  QMessageBox::Ok, nullptr);
  box->show();
  QLabel* text = nullptr;
  for (QLabel* label : box->findChildren<QLabel*>()) {
    if (label->text().contains(message)) text = label;
  }
  ASSERT_NE(text, nullptr);
  const QFontMetrics metrics(text->font());
  EXPECT_GE(text->width(), metrics.horizontalAdvance(message));
  EXPECT_LT(text->height(), 3 * metrics.lineSpacing());
  EXPECT_TRUE(text->text().contains("報告書 &amp; &lt;添付資料&gt; の一覧.pdf\n"));
  EXPECT_EQ(box->windowTitle(), "Lumenquill");
}

}  // namespace
}  // namespace lumenquill
