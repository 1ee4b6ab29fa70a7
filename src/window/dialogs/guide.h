// The program's guide in Italian, shipped inside the program and shown in a window of its own.
#pragma once

#include <QDialog>

namespace kov {

class Guide : public QDialog {
  Q_OBJECT
 public:
  explicit Guide(QWidget* parent);
};

}  // namespace kov
