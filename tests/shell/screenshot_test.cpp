// Renders the main window in each mode to PNG and checks that nothing is clipped. With
// KOV_SCREENSHOTS set to a folder the pictures are kept there (the README's pictures come
// from `KOV_SCREENSHOTS=docs/images build/debug/tests/shell_tests --gtest_filter=Screenshot*`).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>

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
  const QString folder = qEnvironmentVariable("KOV_SCREENSHOTS");
  test::TempFolder scratch;
  for (const auto& mode : modes) {
    Window w;
    if (mode.files == 1) {
      w.folder.write("KoV", test::administratorFile("PC-UFFICIO", false, "Log.txt", "C:\\Report",
                                                    "Admin", "password1"));
    }
    if (mode.files == 2) w.storeBothRoles();
    w.show();
    if (mode.signInRole == 0) w.signIn(0, "Admin", "password1");
    if (mode.signInRole == 1) w.signIn(1, "Titolare", "segreto99");
    QTest::qWait(600);  // one tick of the clock
    expectNothingClipped(w.window.get());
    const QImage picture = w.window->grab().toImage();
    EXPECT_FALSE(picture.isNull());
    const QString target = QDir(folder.isEmpty() ? QString::fromStdString(scratch.path()) : folder)
                               .filePath(QString::fromLatin1(mode.file));
    EXPECT_TRUE(picture.save(target)) << target.toStdString();
  }
}

}  // namespace
}  // namespace kov
