// A text label that keeps a painting of each of its last few looks (caption,
// colours, pixel ratio) and shows it again instead of laying out and shaping
// its text on every repaint: for the signs a game switches between a couple
// of captions and colours many times a minute. Only an opaque label keeps
// paintings, since only then are all of its pixels its own.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <vector>

namespace glamora {

class KeptLabel : public QLabel {
 public:
  using QLabel::QLabel;

  // Off by default: a label painted once in a while keeps nothing.
  void setKeeping(bool keeping);
  std::size_t keptLooks() const { return looks_.size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Look {
    QString text;
    QRgb ground;
    QRgb ink;
    bool enabled;
    qreal ratio;
    QPixmap painting;
  };
  static constexpr std::size_t kMaxLooks = 4;

  bool plainCaption() const;
  Look currentLook() const;
  const Look* kept(const Look& look) const;
  const Look& keep(Look look);

  bool keeping_ = false;
  std::vector<Look> looks_;
};

}  // namespace glamora
