// The floor of the battle's CPU figure: the least a Qt Widgets program does to
// show a battle, with none of the game. A window of the battle screen's size
// with a menu bar holds two sides painted in one widget each, and a precise
// 100 ms timer drives what changes in a battle that is left alone:
//   - every 300 ms both phase signs of each side change colour (text on a box);
//   - every 500 ms each side's six offers change picture;
//   - every second each side's countdown changes (text).
// Each key press moves an arrow on the first side, and the next one on the
// second, as the game's keys move what they press. Every change repaints only
// its own place, and every 100 ms tick runs whether or not anything changes.
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <array>

namespace {

constexpr int kCell = 32;
constexpr int kRow = 24;

class Side final : public QWidget {
 public:
  explicit Side(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int k = 0; k < 2; ++k) {
      offerLooks_[k] = QPixmap(kCell, kRow);
      offerLooks_[k].fill(k == 0 ? QColor(200, 80, 120) : QColor(230, 150, 170));
    }
  }

  void moveArrow() {
    update(arrowPlace());
    arrow_ = (arrow_ + 1) % 6;
    update(arrowPlace());
  }
  void tick(int step) {
    if (step % 3 == 0) {
      what_ = !what_;
      update(signPlace(240));
      update(signPlace(312));
    }
    if (step % 5 == 0) {
      offerLook_ = 1 - offerLook_;
      update(0, 288, 6 * kCell, kRow);
    }
    if (step % 10 == 0) {
      countdown_ = countdown_ == 0 ? 10 : countdown_ - 1;
      update(timePlace());
    }
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    const QRegion& dirty = event->region();
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    QFont font;
    font.setPixelSize(21);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    for (const int top : {240, 312}) {
      if (!dirty.intersects(signPlace(top))) continue;
      painter.fillRect(signPlace(top), (top == 240) == what_ ? Qt::red : Qt::darkGreen);
      painter.drawText(signPlace(top), Qt::AlignCenter, top == 240 ? "WHAT ?" : "WHERE ?");
    }
    if (dirty.intersects(timePlace())) painter.drawText(timePlace(), Qt::AlignRight, QString::number(countdown_));
    if (dirty.intersects(QRect(0, 288, 6 * kCell, kRow))) {
      for (int c = 0; c < 6; ++c) painter.drawPixmap(c * kCell, 288, offerLooks_[offerLook_]);
    }
    if (dirty.intersects(arrowPlace())) painter.fillRect(arrowPlace().adjusted(8, 4, -8, -4), Qt::yellow);
  }

 private:
  static QRect signPlace(int top) { return {0, top, 96, kRow}; }
  static QRect timePlace() { return {96, 240, 48, kRow}; }
  QRect arrowPlace() const { return {arrow_ * kCell, 264, kCell, kRow}; }

  std::array<QPixmap, 2> offerLooks_;
  int offerLook_ = 0;
  int arrow_ = 0;
  int countdown_ = 10;
  bool what_ = true;
};

class Screen final : public QMainWindow {
 public:
  Screen() {
    setWindowTitle("bare-battle");
    menuBar()->addMenu("Game")->addAction("Quit", QKeySequence("Ctrl+Q"), qApp, &QApplication::quit);
    auto* client = new QWidget(this);
    setCentralWidget(client);
    sides_ = {new Side(client), new Side(client)};
    sides_[0]->setGeometry(16, 16, 6 * kCell, 360);
    sides_[1]->setGeometry(448, 16, 6 * kCell, 360);
    resize(657, 412);
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, [this] {
      ++step_;
      for (Side* side : sides_) side->tick(step_);
    });
    clock_.start(100);
  }

 protected:
  void keyPressEvent(QKeyEvent*) override { sides_[presses_++ % 2]->moveArrow(); }

 private:
  std::array<Side*, 2> sides_{};
  QTimer clock_;
  int step_ = 0;
  int presses_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  Screen screen;
  screen.show();
  return application.exec();
}
