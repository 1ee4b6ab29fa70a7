#include "window/platform/qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <functional>

#include "cores/shared/kov_par.h"
#include "runtime/osnames.h"
#include "window/platform/qt_text.h"

namespace kov {
namespace {

QDateTime toQt(const DateTime& at) {
  return {QDate(at.year, at.month, at.day), QTime(at.hour, at.minute, at.second)};
}

// The C locale is a machine without regional settings.
bool hasRegionalSettings(const QLocale& locale) {
  return locale.language() != QLocale::C;
}

// The short date form with a four-digit year, as workstations are set up.
QString shortDateFormat(const QLocale& locale) {
  QString format = locale.dateFormat(QLocale::ShortFormat);
  if (!format.contains(QLatin1String("yyyy"))) {
    format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  }
  return format;
}

// The time form with seconds and without the time zone.
QString timeFormat(const QLocale& locale) {
  QString format = locale.timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return format.trimmed();
}

// Shows the box over the active window with the buttons `addButtons` gives it, the last of
// them the default and the answer to Escape; the index of the button pressed. Without a window
// manager nothing hands the activation back to the window the box came from.
std::size_t showBox(QMessageBox::Icon icon, std::string_view text, std::string_view title,
                    const std::function<std::vector<QPushButton*>(QMessageBox&)>& addButtons) {
  QString body = fromCp1252(text);
  body.replace(QLatin1String("\n\r"), QLatin1String("\n"));
  const QPointer<QWidget> owner = QApplication::activeWindow();
  QMessageBox box(icon, fromCp1252(title), body, QMessageBox::NoButton, owner);
  const std::vector<QPushButton*> buttons = addButtons(box);
  box.setDefaultButton(buttons.back());
  box.setEscapeButton(buttons.back());
  box.exec();
  if (owner != nullptr) owner->activateWindow();
  return static_cast<std::size_t>(std::find(buttons.begin(), buttons.end(), box.clickedButton()) -
                                  buttons.begin());
}

// A wait asks again this often, and says what it waits for once it has lasted this long.
constexpr std::chrono::milliseconds kAskEvery{50};
constexpr std::chrono::milliseconds kNoticeAfter{400};

// For as long as it lives, the user's keys, clicks, wheel and close requests reach no window,
// so that nothing started from them can run in the middle of a wait.
class InputHeld : public QObject {
 public:
  InputHeld() { QCoreApplication::instance()->installEventFilter(this); }
  ~InputHeld() override { QCoreApplication::instance()->removeEventFilter(this); }
  InputHeld(const InputHeld&) = delete;
  InputHeld& operator=(const InputHeld&) = delete;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::TouchBegin:
      case QEvent::Close:
        event->ignore();  // a close request ignored leaves the window open
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

bool QtPlatform::waitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit,
                         std::string_view notice) {
  const auto start = std::chrono::steady_clock::now();
  const QPointer<QWidget> owner = QApplication::activeWindow();
  const InputHeld held;
  QProgressDialog box(fromCp1252(notice), QString(), 0, 0, owner);  // no button: it only tells
  box.setWindowTitle(fromCp1252(kAppTitle));
  box.setWindowModality(Qt::ApplicationModal);
  QEventLoop pause;  // ends at each tick
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, &pause, &QEventLoop::quit);
  tick.start(kAskEvery);
  bool done = ready();
  while (!done && std::chrono::steady_clock::now() - start < limit) {
    if (!box.isVisible() && std::chrono::steady_clock::now() - start >= kNoticeAfter) box.show();
    pause.exec();
    done = ready();
  }
  box.hide();
  if (owner != nullptr) owner->activateWindow();
  return done;
}

void QtPlatform::message(Icon icon, std::string_view text, std::string_view title) {
  QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
  if (icon == Icon::Information) boxIcon = QMessageBox::Information;
  if (icon == Icon::Critical) boxIcon = QMessageBox::Critical;
  showBox(boxIcon, text, title, [](QMessageBox& box) {
    return std::vector<QPushButton*>{box.addButton(QMessageBox::Ok)};
  });
}

bool QtPlatform::ask(std::string_view text, std::string_view title) {
  return showBox(QMessageBox::Question, text, title, [](QMessageBox& box) {
           return std::vector<QPushButton*>{box.addButton(QMessageBox::Yes),
                                            box.addButton(QMessageBox::No)};
         }) == 0;
}

std::size_t QtPlatform::choose(std::string_view text, std::string_view title,
                               const std::vector<std::string>& buttons) {
  return showBox(QMessageBox::Question, text, title, [&](QMessageBox& box) {
    std::vector<QPushButton*> added;
    added.reserve(buttons.size());
    for (const std::string& caption : buttons) {
      added.push_back(box.addButton(fromCp1252(caption), QMessageBox::ActionRole));
    }
    return added;
  });
}

void QtPlatform::beep() {
  QApplication::beep();
}

DateTime QtPlatform::now() {
  const QDateTime at = QDateTime::currentDateTime();
  return {at.date().year(), at.date().month(),  at.date().day(),
          at.time().hour(), at.time().minute(), at.time().second()};
}

std::string QtPlatform::regionalDate(const DateTime& at) {
  const QLocale locale = regional();
  if (!hasRegionalSettings(locale)) return formatDate(at);
  return locale.toString(toQt(at).date(), shortDateFormat(locale)).toStdString();
}

std::string QtPlatform::regionalTime(const DateTime& at) {
  const QLocale locale = regional();
  if (!hasRegionalSettings(locale)) return formatTime(at);
  return locale.toString(toQt(at).time(), timeFormat(locale)).toStdString();
}

std::string QtPlatform::userName() {
  return osUserName();
}

std::string QtPlatform::computerName() {
  return osComputerName();
}

std::string QtPlatform::programFolder() {
  // Exactly as the operating system names it: never through Windows-1252.
  return QFile::encodeName(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()))
      .toStdString();
}

ScreenSize QtPlatform::screenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  return {screen->size().width(), screen->size().height()};
}

bool QtPlatform::openWithDesktop(std::string_view name) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(
      QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())))));
}

bool QtPlatform::copyToSystemLog(const SystemLogEvent& event) {
  return sendToSystemLog(event);
}

}  // namespace kov
