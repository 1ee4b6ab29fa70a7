// Renders the main window in each mode to PNG and checks that nothing is clipped. With
// KOV_SCREENSHOTS set to a folder the pictures are kept there (the README's pictures come
// from `KOV_SCREENSHOTS=docs/images build/debug/tests/shell_tests --gtest_filter=Screenshot*`).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>

#include "credentials/pw_kov.h"
#include "support/window.h"

namespace kov {
namespace {

using test::Window;

// Every caption shows whole: each label, button and frame is at least as large as it asks.
void expectNothingClipped(const QWidget* window) {
  for (const QWidget* control : window->findChildren<QWidget*>()) {
    if (!control->isVisibleTo(window) || qobject_cast<const QLineEdit*>(control) != nullptr) {
      continue;
    }
    if (qobject_cast<const QLabel*>(control) == nullptr &&
        qobject_cast<const QAbstractButton*>(control) == nullptr &&
        qobject_cast<const QGroupBox*>(control) == nullptr) {
      continue;
    }
    const QSize hint = control->minimumSizeHint();
    EXPECT_GE(control->width(), hint.width()) << control->objectName().toStdString();
    EXPECT_GE(control->height(), hint.height()) << control->objectName().toStdString();
  }
}

QString pictureFile(const test::TempFolder& scratch, const char* file) {
  const QString folder = qEnvironmentVariable("KOV_SCREENSHOTS");
  return QDir(folder.isEmpty() ? QString::fromStdString(scratch.path()) : folder)
      .filePath(QString::fromLatin1(file));
}

void expectRenderedWhole(QWidget* window, const QString& file) {
  expectNothingClipped(window);
  const QImage picture = window->grab().toImage();
  EXPECT_FALSE(picture.isNull());
  EXPECT_TRUE(picture.save(file)) << file.toStdString();
}

TEST(Screenshot, EveryModeRendersWhole) {
  const struct {
    const char* file;
    int files;       // 0 empty folder, 1 administrator only, 2 both roles
    int signInRole;  // -1: nobody signs in
  } modes[] = {
      {"setup-administrator.png", 0, -1}, {"setup-controller.png", 1, -1},
      {"role-choice.png", 2, -1},         {"administrator.png", 2, 0},
      {"controller.png", 2, 1},
  };
  test::TempFolder scratch;
  for (const auto& mode : modes) {
    Window w;
    w.showMode(mode.files, mode.signInRole);
    QTest::qWait(600);  // one tick of the clock
    expectRenderedWhole(w.window.get(), pictureFile(scratch, mode.file));
  }
}

TEST(Screenshot, ThePasswordDialogRendersWhole) {
  test::TempFolder scratch;
  Window w;
  w.storeBothRoles();
  w.show();
  w.signIn(0, "Admin", "password1");
  w.whileDialogOpen = [&](Pw_Kov& dialog) {
    expectRenderedWhole(&dialog, pictureFile(scratch, "password-dialog.png"));
    dialog.close();
  };
  w.click("Cmd_VPw");
  EXPECT_EQ(w.dialogsShown, 1);
}

}  // namespace
}  // namespace kov
