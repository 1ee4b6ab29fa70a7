// Renders the main window in each mode to PNG and checks that nothing is clipped, and that
// it fits the screens of the offices. With KOV_SCREENSHOTS set to a folder the pictures are
// kept there (the README's pictures come from
// `KOV_SCREENSHOTS=docs/images build/debug/tests/shell_tests --gtest_filter=Screenshot*`).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

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

const struct {
  const char* file;
  int files;       // 0 empty folder, 1 administrator only, 2 both roles
  int signInRole;  // -1: nobody signs in
} kModes[] = {
    {"setup-administrator.png", 0, -1}, {"setup-controller.png", 1, -1}, {"role-choice.png", 2, -1},
    {"administrator.png", 2, 0},        {"controller.png", 2, 1},
};

TEST(Screenshot, EveryModeRendersWhole) {
  test::TempFolder scratch;
  for (const auto& mode : kModes) {
    Window w;
    w.showMode(mode.files, mode.signInRole);
    QTest::qWait(600);  // one tick of the clock
    expectRenderedWhole(w.window.get(), pictureFile(scratch, mode.file));
  }
}

// The screens of the offices, each with a 48-pixel panel at the bottom; on the last the
// frames do not fit and scroll.
const struct OfficeScreen {
  const char* file;
  int width, height;  // pixels
  double scale;       // the desktop's scaling
} kOfficeScreens[] = {{"screen-1366x768-125.png", 1366, 768, 1.25},
                      {"screen-1920x1080-150.png", 1920, 1080, 1.5},
                      {"screen-1024x600-125.png", 1024, 600, 1.25}};
constexpr int kPanel = 48;  // in the desktop's scaled pixels, as the window's sizes

// The screen as a user sees it: the desktop, the panel and the window where it opened.
QImage onTheScreen(QWidget* window, const OfficeScreen& office) {
  QImage screen(office.width, office.height, QImage::Format_RGB32);
  screen.fill(QColor(58, 110, 165));
  QPainter painter(&screen);
  painter.scale(office.scale, office.scale);
  const QSizeF size = QSizeF(screen.size()) / office.scale;
  painter.fillRect(QRectF(0, size.height() - kPanel, size.width(), kPanel), QColor(32, 32, 32));
  // The title bar the desktop adds, which the offscreen platform does not draw.
  const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
  const QRect title(window->x(), window->geometry().top() - titleBar, window->width(), titleBar);
  painter.fillRect(title, QColor(220, 220, 220));
  painter.drawText(title.adjusted(8, 0, 0, 0), Qt::AlignVCenter, window->windowTitle());
  painter.drawPixmap(window->geometry().topLeft(), window->grab());
  return screen;
}

// Run by the test below in a program of its own on that screen, whose offscreen screen is
// the free area above the panel: in each mode the window opens inside it, and every control
// shows or can be scrolled to.
void expectEveryControlReachable(const OfficeScreen& office) {
  const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_EQ(free.height(), qRound(office.height / office.scale - kPanel));
  test::TempFolder scratch;
  for (const auto& mode : kModes) {
    SCOPED_TRACE(mode.file);
    Window w;
    w.platform.screen = {qRound(office.width / office.scale), qRound(office.height / office.scale)};
    w.showMode(mode.files, mode.signInRole);
    EXPECT_TRUE(free.contains(w.window->frameGeometry())) << w.window->frameGeometry().bottom();
    if (mode.signInRole == 0) {  // as it opens, before the checks scroll it
      QTest::qWait(600);         // one tick of the clock
      EXPECT_TRUE(onTheScreen(w.window.get(), office).save(pictureFile(scratch, office.file)));
    }
    auto* scroll = w.window->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    for (QWidget* control : scroll->widget()->findChildren<QWidget*>()) {
      if (!control->isVisibleTo(w.window.get()) || qobject_cast<QGroupBox*>(control) != nullptr) {
        continue;
      }
      scroll->ensureWidgetVisible(control, 0, 0);
      const QRect shown(control->mapTo(scroll->viewport(), QPoint()), control->size());
      EXPECT_TRUE(scroll->viewport()->rect().contains(shown))
          << control->objectName().toStdString();
    }
  }
}

TEST(Screenshot, EveryControlCanBeReachedOnOfficeScreens) {
  if (const QByteArray screen = qgetenv("KOV_OFFICE_SCREEN"); !screen.isEmpty()) {
    expectEveryControlReachable(kOfficeScreens[screen.toUInt()]);
    return;
  }
  // Screen size and scaling are fixed when a program starts: one run of this test per screen.
  const testing::TestInfo* self = testing::UnitTest::GetInstance()->current_test_info();
  const std::string filter =
      std::string("--gtest_filter=") + self->test_suite_name() + '.' + self->name();
  test::TempFolder scratch;
  for (std::size_t i = 0; i < std::size(kOfficeScreens); ++i) {
    const OfficeScreen& office = kOfficeScreens[i];
    const std::string config = "office" + std::to_string(i) + ".json";
    scratch.write(config, R"({"screens": [{"name": "office", "width": )" +
                              std::to_string(office.width) + R"(, "height": )" +
                              std::to_string(qRound(office.height - kPanel * office.scale)) +
                              "}]}");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM",
                       QString::fromStdString("offscreen:configfile=" + scratch.file(config)));
    environment.insert("QT_SCALE_FACTOR", QString::number(office.scale));
    environment.insert("KOV_OFFICE_SCREEN", QString::number(i));
    QProcess run;
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(), {QString::fromStdString(filter)});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << office.file << '\n' << run.readAll().toStdString();
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
