// A main window on a fresh temporary program folder with the fake platform, and the
// helpers the window tests share.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>

#include "credentials/pw_kov.h"
#include "shell/kov.h"
#include "shell/qt_text.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

// GoogleTest shows QStrings as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}

namespace kov::test {

inline const QColor kYellow(255, 255, 0);
inline const QColor kWhite(255, 255, 255);

// The background colour a field shows.
inline QColor background(const QWidget* control) {
  const bool box = qobject_cast<const QLineEdit*>(control) != nullptr;
  return control->palette().color(QPalette::Active, box ? QPalette::Base : QPalette::Window);
}

inline QColor buttonFace() {
  return QApplication::palette().color(QPalette::Button);
}

// The control of a window or dialog with this object name, failing the test without one.
template <typename Control = QWidget>
Control* control(const QWidget* window, const char* name) {
  auto* found = window->findChild<Control*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

struct Window {
  TempFolder folder;
  FakePlatform platform;
  Kov_Par par;
  std::unique_ptr<KOV> window;

  Window() { platform.folder = folder.path(); }

  // Both roles stored: the normal start.
  void storeBothRoles(bool restricted = false) {
    folder.write("KoV", administratorFile("PC-01", restricted, "Log.txt",
                                          folder.path() + "\\report", "Admin", "password1"));
    folder.write("TdT", controllerFile("Titolare", "segreto99"));
  }

  // What the test does while the password dialog is open (shown, modal and active); the
  // test closes the dialog, by its button or its close button.
  std::function<void(Pw_Kov&)> whileDialogOpen;
  int dialogsShown = 0;

  bool load() {
    window = std::make_unique<KOV>(par, platform, [this](Pw_Kov& dialog) { showDialog(dialog); });
    return window->Form_Load();
  }

  // Stands in for the modal showing, which would block the test.
  void showDialog(Pw_Kov& dialog) {
    ++dialogsShown;
    dialog.setModal(true);
    dialog.show();
    dialog.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    if (whileDialogOpen) {
      whileDialogOpen(dialog);
    } else {
      ADD_FAILURE() << "the password dialog was not expected";
    }
    EXPECT_FALSE(dialog.isVisible()) << "the test left the password dialog open";
    dialog.close();
  }

  // Shows the window on a folder holding no role (0), the administrator alone (1) or both
  // roles (2), then signs in the role given (-1: nobody): each mode of the window.
  void showMode(int roles, int signInRole) {
    if (roles == 1) {
      folder.write("KoV", administratorFile("PC", false, "Log.txt", "C:\\R", "Admin", "password1"));
    }
    if (roles == 2) storeBothRoles();
    show();
    if (signInRole == 0) signIn(0, "Admin", "password1");
    if (signInRole == 1) signIn(1, "Titolare", "segreto99");
  }

  // Loads, shows and activates the window, ready for real key presses and focus changes.
  void show() {
    ASSERT_TRUE(load());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  template <typename Control = QWidget>
  Control* find(const char* name) const {
    return control<Control>(window.get(), name);
  }
  QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }

  // Lets the window handle what has been posted (the focus router posts its enters).
  static void settle() { QCoreApplication::processEvents(); }

  // Clicks a button, a check box or an option where its caption is.
  void click(const char* name) const {
    QWidget* target = find(name);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
    settle();
  }

  // The recordings file, whichever letter case its name was created with; nothing when
  // there is none.
  std::string recordings() const {
    for (const std::string& name : folder.names()) {
      if (QString::fromStdString(name).compare("OdV", Qt::CaseInsensitive) == 0) {
        return folder.read(name);
      }
    }
    return {};
  }

  // Types into a box as a user does: clicks into it, then one key for each character
  // (any character, as a keyboard layout or an input method delivers it).
  void type(const char* name, const QString& text) const {
    QTest::mouseClick(box(name), Qt::LeftButton);
    settle();
    keys(name, text);
  }
  // Each character as the keyboard delivers it, into the box whatever has the focus.
  void keys(const char* name, const QString& text) const {
    for (const QChar c : text) {
      QTest::sendKeyEvent(QTest::Click, box(name), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  void tab(const char* name) const {
    QTest::keyClick(box(name), Qt::Key_Tab);
    settle();
  }
  // Types both dates of the report, leaving each box by Tab.
  void period(const QString& start, const QString& end) const {
    keys("Dt_1", start);
    tab("Dt_1");
    keys("Dt_2", end);
    tab("Dt_2");
  }
  // Types the password and leaves its box: signs in, or again after an entry locked the window.
  void unlock(const QString& password) const {
    QTest::keyClicks(box("Pw"), password);
    tab("Pw");
  }

  // Chooses a role and signs in with real focus changes: name, Tab, password, Tab.
  void signIn(int role, const QString& name, const QString& password) const {
    click(role == 0 ? "Tp_Ut_0" : "Tp_Ut_1");
    type("Utente", name);
    tab("Utente");
    unlock(password);
  }
  std::string text(const char* name) const { return toCp1252(box(name)->text()); }

  // Replaces a box's text as a user does after tabbing into it (entering selects it all).
  void retype(const char* name, const QString& keys) const {
    box(name)->setFocus();
    settle();
    QTest::keyClicks(box(name), keys);
  }
};

// Types the new password twice in the password dialog and confirms with Enter.
inline void confirmPassword(const Pw_Kov& dialog, const QString& password) {
  for (const char* name : {"N_Pw", "C_Pw"}) {
    auto* box = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    QTest::keyClicks(box, password);
    QTest::keyClick(box, Qt::Key_Return);
  }
}

}  // namespace kov::test
