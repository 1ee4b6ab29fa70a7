// The program's real message boxes, for the tests that run on a real X server (Xvfb).
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string>

#include "shell/qt_platform.h"

namespace kov::test {

// The real platform on a temporary program folder.
class RealBoxes : public QtPlatform {
 public:
  explicit RealBoxes(std::string folder) : folder_(std::move(folder)) {}
  std::string programFolder() override { return folder_; }

 private:
  std::string folder_;
};

// Presses OK on every modal message box as soon as it is up, keeping its text.
class BoxCloser : public QObject {
 public:
  BoxCloser() {
    connect(&poll_, &QTimer::timeout, this, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.push_back(box->text());
        box->button(QMessageBox::Ok)->click();
      }
    });
    poll_.start(20);
  }
  QStringList texts;

 private:
  QTimer poll_;
};

}  // namespace kov::test
