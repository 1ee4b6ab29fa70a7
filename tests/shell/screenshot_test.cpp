// The window in every mode on the screens of the offices, each with a 48-pixel panel at the
// bottom: it opens inside the free area and every control scrolls into view. With
// KOV_SCREENSHOTS naming a folder, the README's pictures are written there.
#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>

#include "support/window.h"

namespace kov {
namespace {

const struct {
  const char* file;
  int roles, signInRole;  // as test::Window::showMode takes them
} kModes[] = {{"setup-administrator.png", 0, -1},
              {"setup-controller.png", 1, -1},
              {"role-choice.png", 2, -1},
              {"administrator.png", 2, 0},
              {"controller.png", 2, 1}};
// The whole screen is pictured with the administrator signed in; on the last, plain screen
// each mode and the password dialog are.
const struct {
  const char* file;
  int width, height;
  double scale;  // the desktop's scaling
} kScreens[] = {{"screen-1366x768-125.png", 1366, 768, 1.25},
                {"screen-1920x1080-150.png", 1920, 1080, 1.5},
                {"screen-1024x600-125.png", 1024, 600, 1.25},
                {nullptr, 1920, 1128, 1}};
constexpr int kPanel = 48;  // in the desktop's scaled pixels

void save(const QImage& picture, const char* file) {
  const QString folder = qEnvironmentVariable("KOV_SCREENSHOTS");
  EXPECT_TRUE(folder.isEmpty() || picture.save(folder + '/' + file)) << file;
}

TEST(Screenshot, EveryModeOpensOnTheOfficeScreensWithEveryControlReachable) {
  const QByteArray chosen = qgetenv("KOV_OFFICE_SCREEN");
  if (chosen.isEmpty()) {  // size and scaling are fixed at start: one run of this test each
    test::TempFolder scratch;
    for (std::size_t i = 0; i < std::size(kScreens); ++i) {
      const auto& s = kScreens[i];
      scratch.write("screen.json",
                    "{\"screens\": [{\"name\": \"office\", \"width\": " + std::to_string(s.width) +
                        ", \"height\": " + std::to_string(qRound(s.height - kPanel * s.scale)) +
                        "}]}");
      QProcess run;
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.insert(
          "QT_QPA_PLATFORM",
          "offscreen:configfile=" + QString::fromStdString(scratch.file("screen.json")));
      environment.insert("QT_SCALE_FACTOR", QString::number(s.scale));
      environment.insert("KOV_OFFICE_SCREEN", QString::number(i));
      run.setProcessEnvironment(environment);
      run.setProcessChannelMode(QProcess::MergedChannels);
      run.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Screenshot.*"});
      ASSERT_TRUE(run.waitForFinished(60000));
      EXPECT_EQ(run.exitCode(), 0) << i << '\n' << run.readAll().toStdString();
    }
    return;
  }
  const auto& screen = kScreens[chosen.toUInt()];
  const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_EQ(free.height(), qRound(screen.height / screen.scale - kPanel));
  for (const auto& mode : kModes) {
    SCOPED_TRACE(mode.file);
    test::Window w;
    w.platform.screen = {free.width(), free.height()};
    w.showMode(mode.roles, mode.signInRole);
    EXPECT_TRUE(free.contains(w.window->frameGeometry()));
    if (mode.roles == 2) QTRY_VERIFY(!w.find<QLabel>("Data_G")->text().isEmpty());  // the clock
    if (screen.file == nullptr) save(w.window->grab().toImage(), mode.file);
    if (screen.file != nullptr && mode.signInRole == 0) {  // the desktop, the panel, the window
      QImage picture(screen.width, screen.height, QImage::Format_RGB32);
      picture.fill(QColor(58, 110, 165));
      QPainter painter(&picture);
      painter.scale(screen.scale, screen.scale);
      painter.fillRect(QRectF(0, free.height(), free.width(), kPanel), QColor(32, 32, 32));
      painter.drawPixmap(w.window->pos(), w.window->grab());
      save(picture, screen.file);
    }
    auto* scroll = w.window->findChild<QScrollArea*>();
    for (QWidget* control : scroll->widget()->findChildren<QWidget*>()) {
      if (!control->isVisibleTo(w.window.get()) || qobject_cast<QGroupBox*>(control)) continue;
      scroll->ensureWidgetVisible(control, 0, 0);
      const QRect shown(control->mapTo(scroll->viewport(), QPoint()), control->size());
      EXPECT_TRUE(scroll->viewport()->rect().contains(shown))
          << control->objectName().toStdString();
    }
    if (screen.file != nullptr || mode.signInRole != 0) continue;
    w.whileDialogOpen = [](Pw_Kov& dialog) {
      save(dialog.grab().toImage(), "password-dialog.png");
      dialog.close();
    };
    w.click("Cmd_VPw");
    EXPECT_EQ(w.dialogsShown, 1);
  }
}

}  // namespace
}  // namespace kov
