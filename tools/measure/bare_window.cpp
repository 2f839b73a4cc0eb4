// The floor of the measurements: the smallest Qt Widgets program that maps a
// window of the title screen's size and then waits for events.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("bare-window");
  window.resize(602, 433);
  window.show();
  return application.exec();
}
