// A main window on a fresh temporary program folder with the fake platform, and its helpers.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"
#include "window/dialogs/pw_kov.h"
#include "window/focus/idle_lock.h"
#include "window/main/kov.h"
#include "window/platform/qt_text.h"

// GoogleTest shows QStrings as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}

namespace kov::test {

enum class Role { Administrator, Controller };
// The text pdftotext reads in a PDF, lines laid out as on the page.
inline std::string pdfText(const std::string& pdf) {
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QString::fromStdString(pdf), QStringLiteral("-")});
  EXPECT_TRUE(reader.waitForFinished()) << "pdftotext";
  return reader.readAllStandardOutput().toStdString();
}

inline const QColor kYellow(255, 255, 0);
inline const QColor kWhite(255, 255, 255);

inline QColor background(const QWidget* control) {
  const bool box = qobject_cast<const QLineEdit*>(control) != nullptr;
  return control->palette().color(QPalette::Active, box ? QPalette::Base : QPalette::Window);
}
inline QColor textColour(const QWidget* control) {
  const bool box = qobject_cast<const QLineEdit*>(control) != nullptr;
  return control->palette().color(QPalette::Active, box ? QPalette::Text : QPalette::WindowText);
}

// The control of a window or dialog with this object name, failing the test without one.
template <typename Control = QWidget>
Control* control(const QWidget* window, const char* name) {
  auto* child = window->findChild<Control*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

struct Window {
  TempFolder folder;
  FakePlatform platform;
  Kov_Par par;
  std::unique_ptr<KOV> window;

  Window() { platform.folder = folder.path(); }

  // Both roles, the report folder `reports` inside the program folder.
  void storeBothRoles(const std::string& reports = "report") {
    folder.write("KoV", administratorFile("PC-01", false, "Log.txt", folder.path() + "\\" + reports,
                                          "Admin", "password1"));
    folder.write("TdT", controllerFile("Titolare", "segreto99"));
  }

  bool load() {
    window = std::make_unique<KOV>(par, platform);
    return window->Form_Load();
  }

  void show() {
    ASSERT_TRUE(load());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  // Clicks the password button; `step` runs once the dialog is up, modal as on the desktop,
  // and the dialog is closed after it.
  void onDialog(const std::function<void(Pw_Kov&)>& step) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<Pw_Kov*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      poll.stop();
      // Keys reach the dialog only once it is the active window (qWaitForWindowActive takes the
      // main window's activation for its dialog's).
      EXPECT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }));
      step(*dialog);
      dialog->close();
    });
    poll.start(20);
    click("Cmd_VPw");
  }

  template <typename Control = QWidget>
  Control* find(const char* name) const {
    return control<Control>(window.get(), name);
  }
  QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
  std::string text(const char* name) const { return toCp1252(box(name)->text()); }

  static void settle() { QCoreApplication::processEvents(); }
  // The ten idle minutes, made one millisecond: `locked` is disabled, and the timer waits for
  // a key or a click to start again.
  void idle(const QWidget* locked) const {
    auto* timer = window->findChild<QTimer*>("IdleLock");
    EXPECT_EQ(timer->interval(), 10 * 60 * 1000);
    window->setIdleLimit(std::chrono::milliseconds(1));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !locked->isEnabled(); }));
    EXPECT_FALSE(timer->isActive());
    timer->setInterval(kIdleLimit);  // or every key typed next would lock again
  }

  void click(const char* name) const {
    QWidget* target = find(name);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
    settle();
  }

  // The recordings file, whatever the letter case of its name.
  std::string recordings() const {
    for (const std::string& name : folder.names()) {
      if (QString::fromStdString(name).compare("OdV", Qt::CaseInsensitive) == 0) {
        return folder.read(name);
      }
    }
    return {};
  }

  void type(const char* name, const QString& text) const {
    QTest::mouseClick(box(name), Qt::LeftButton);
    settle();
    keys(name, text);
  }
  // One key per character, as a keyboard layout or an input method delivers it.
  void keys(const char* name, const QString& text) const {
    for (const QChar c : text) {
      QTest::sendKeyEvent(QTest::Click, box(name), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  // Alt and a letter, typed where the focus is.
  void alt(Qt::Key key) const {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    settle();
  }
  void tab(const char* name) const {
    QTest::keyClick(box(name), Qt::Key_Tab);
    settle();
  }
  void period(const QString& start, const QString& end) const {
    for (const auto& [name, date] : {std::pair{"Dt_1", start}, {"Dt_2", end}}) {
      keys(name, date);
      tab(name);
    }
  }
  // The password box is entered (yellow) before anybody types in it.
  void typePassword(const QString& password) const {
    EXPECT_TRUE(QTest::qWaitFor([this] { return background(box("Pw")) == kYellow; }, 2000));
    QTest::keyClicks(box("Pw"), password);
  }
  void unlock(const QString& password) const {
    typePassword(password);
    tab("Pw");
  }
  void signIn(Role role, const QString& name, const QString& password) const {
    click(role == Role::Administrator ? "Tp_Ut_0" : "Tp_Ut_1");
    type("Utente", name);
    tab("Utente");
    unlock(password);
  }
  // A first set-up: the name, then the password, not yet confirmed.
  void setUp(const QString& name, const QString& password) const {
    type("Utente", name);
    tab("Utente");
    QTest::keyClicks(box("Pw"), password);
  }
  // The first set-ups, as an office makes them; the parameters' boxes are entered with their
  // access keys, which select what they hold.
  void setUpAdministrator(const std::string& reports) const {
    setUp("Admin", "password1");
    const std::pair<Qt::Key, QString> parameters[] = {{Qt::Key_W, "PC-UFFICIO"},
                                                      {Qt::Key_N, "Report.txt"},
                                                      {Qt::Key_H, QString::fromStdString(reports)}};
    for (const auto& [key, typed] : parameters) {
      alt(key);
      QTest::keyClicks(QApplication::focusWidget(), typed);
    }
    click("Cmd_VPw");
  }
  void setUpController() const {
    setUp("Titolare", "segreto99");
    click("Cmd_VPw");
  }
  // Entering a box selects its text: typing replaces it.
  void retype(const char* name, const QString& keys) const {
    box(name)->setFocus();
    settle();
    QTest::keyClicks(box(name), keys);
  }
};

}  // namespace kov::test
