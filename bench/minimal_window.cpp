// A Qt window with nothing in it, built as kov.exe is: the floor against which
// bench/windows-startup.sh measures kov.exe's start-up under wine.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Finestra minima"));
  window.show();
  return QApplication::exec();
}
