#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "shell/translations.h"

namespace kov {
namespace {

TEST(Translations, TheToolkitSpeaksItalian) {
  ASSERT_TRUE(installItalianTranslations(*QCoreApplication::instance()));
  QLineEdit box;
  box.setText("testo");
  std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
  QStringList entries;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) entries << action->text().remove('&').section('\t', 0, 0);
  }
  EXPECT_TRUE(entries.contains("Annulla")) << entries.join(", ").toStdString();
  EXPECT_TRUE(entries.contains("Incolla")) << entries.join(", ").toStdString();
  QDialogButtonBox buttons(QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annulla");
}

}  // namespace
}  // namespace kov
