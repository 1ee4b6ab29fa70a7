// The program's real message boxes, for the tests that run on a real X server (Xvfb).
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string>

#include "window/qt_platform.h"

namespace kov::test {

// The real platform on a temporary program folder.
struct RealBoxes : QtPlatform {
  explicit RealBoxes(std::string folder) : folder(std::move(folder)) {}
  std::string programFolder() override { return folder; }
  std::string folder;
};

// Presses OK on every modal message box as soon as it is up, keeping its text.
struct BoxCloser : QObject {
  BoxCloser() {
    connect(&poll, &QTimer::timeout, this, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.push_back(box->text());
        box->button(QMessageBox::Ok)->click();
      }
    });
    poll.start(20);
  }
  QStringList texts;
  QTimer poll;
};

}  // namespace kov::test
