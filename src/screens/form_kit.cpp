#include "form_kit.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QIconEngine>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <QStyle>
#include <QStyleOption>
#include <optional>

#include "assets/pictures/picture_library.h"
#include "engine/text_checks.h"

namespace glamora {

QColor windowsColour(Colour c) { return QColor(c.bgr & 0xFF, (c.bgr >> 8) & 0xFF, (c.bgr >> 16) & 0xFF); }

void installFontSubstitutions() {
  // IPA P Gothic has the metrics the layouts were made for; the others keep
  // Japanese text readable where it is missing.
  QFont::insertSubstitutions(kFormFontFamily, {"IPAPGothic", "IPA Pゴシック", "IPAGothic", "Noto Sans CJK JP"});
}

QFont formFont(int pixelHeight, bool bold) {
  QFont font(kFormFontFamily);
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  return font;
}

void setLabelBackground(QLabel* label, std::optional<Colour> background) {
  // Signs are set on every tick; an unchanged one is left alone.
  if (label->autoFillBackground() == background.has_value() &&
      (!background || label->palette().color(QPalette::Window) == windowsColour(*background)))
    return;
  QPalette palette = label->palette();
  label->setAutoFillBackground(background.has_value());
  if (background) palette.setColor(QPalette::Window, windowsColour(*background));
  label->setPalette(palette);
}

void setLabelTextColour(QLabel* label, Colour colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, windowsColour(colour));
  label->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, QRect geometry, const QString& text, const LabelStyle& style) {
  auto* label = new QLabel(text, parent);
  label->setFont(formFont(style.pixelHeight, style.bold));
  label->setAlignment(style.align);
  label->setTextFormat(Qt::PlainText);
  setLabelTextColour(label, style.textColour);
  setLabelBackground(label, style.background);
  // Like a menu caption, "&G" in a label shows as an underlined G.
  if (text.contains('&')) label->setBuddy(parent);
  if (geometry.width() == 0) {
    label->move(geometry.topLeft());
    label->adjustSize();
    // Sized to its text again whenever a bound text changes.
    label->setProperty(kFitsTextProperty, true);
  } else {
    label->setGeometry(geometry);
  }
  return label;
}

QLabel* makeLabel(QWidget* parent, const LabelLayout& entry) {
  QLabel* label = makeLabel(parent, entry.geometry, entry.text, entry.style);
  label->setObjectName(entry.name);
  if (*entry.text) bindText(label, Message("Screens", entry.text));
  return label;
}

namespace {

// Keeps the painter of its picture and paints it again whenever the ratio it
// is shown at differs from the one it was painted for: on a move to another
// screen, or when it is first shown on a screen that is not the primary one.
class PictureBox : public QLabel {
 public:
  using QLabel::QLabel;

  void show(PicturePainter painter) {
    still_ = std::nullopt;
    painter_ = std::move(painter);
    paintPicture();
  }
  // A library picture: one already shown at this ratio is not looked up again.
  void showStill(const PictureLibrary& library, PictureId still) {
    // A change of ratio is caught when the box is next painted.
    if (still_ == still && painter_) return;
    show([&library, still](qreal ratio) { return library.pixmap(still, ratio); });
    still_ = still;
  }
  void showFixed(const QPixmap& picture) {
    still_ = std::nullopt;
    painter_ = nullptr;
    setPixmap(picture);
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ScreenChangeInternal) refreshForRatio();
    return QLabel::event(event);
  }
  void paintEvent(QPaintEvent* event) override {
    refreshForRatio();
    QLabel::paintEvent(event);
  }

 private:
  void refreshForRatio() {
    if (painter_ && devicePixelRatioF() != paintedRatio_) paintPicture();
  }
  void paintPicture() {
    paintedRatio_ = devicePixelRatioF();
    setPixmap(painter_(paintedRatio_));
  }

  PicturePainter painter_;
  std::optional<PictureId> still_;  // the library picture painter_ paints, if it is one
  qreal paintedRatio_ = 0;
};

// Paints the picture for each pixel size asked; a disabled icon is the
// style's greyed version of it, as for any pixmap icon.
class PictureIconEngine : public QIconEngine {
 public:
  PictureIconEngine(PicturePainter painter, QSize logicalSize)
      : painter_(std::move(painter)), logicalSize_(logicalSize) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal) override {
    const qreal ratio = qMax(qreal(size.width()) / logicalSize_.width(), qreal(size.height()) / logicalSize_.height());
    QPixmap picture = painter_(ratio);
    picture.setDevicePixelRatio(1.0);
    if (mode == QIcon::Disabled) {
      QStyleOption option;
      option.palette = QGuiApplication::palette();
      picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }
    return picture;
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device()->devicePixelRatioF();
    QPixmap picture = scaledPixmap(rect.size() * ratio, mode, state, ratio);
    picture.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), picture);
  }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    // Like a pixmap icon: never larger than the picture, smaller to fit.
    if (logicalSize_.width() <= size.width() && logicalSize_.height() <= size.height()) return logicalSize_;
    return logicalSize_.scaled(size, Qt::KeepAspectRatio);
  }
  QIconEngine* clone() const override { return new PictureIconEngine(painter_, logicalSize_); }

 private:
  PicturePainter painter_;
  QSize logicalSize_;
};

}  // namespace

QLabel* makePictureBox(QWidget* parent, QRect geometry) {
  auto* box = new PictureBox(parent);
  box->setGeometry(geometry);
  box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return box;
}

void showPicture(QLabel* box, PicturePainter picture) {
  if (auto* pictureBox = dynamic_cast<PictureBox*>(box)) {
    pictureBox->show(std::move(picture));
  } else {
    box->setPixmap(picture(box->devicePixelRatioF()));
  }
}

void showPicture(QLabel* box, const PictureLibrary& library, PictureId id) {
  const PictureId still = library.resolve(id);
  if (auto* pictureBox = dynamic_cast<PictureBox*>(box)) {
    pictureBox->showStill(library, still);
  } else {
    box->setPixmap(library.pixmap(still, box->devicePixelRatioF()));
  }
}

void showPicture(QLabel* box, const PictureLibrary& library, Picture picture) {
  if (const auto id = pictureFromEngine(picture)) {
    showPicture(box, library, *id);
  } else {
    showPicture(box, QPixmap());
  }
}

void showPicture(QLabel* box, const QPixmap& picture) {
  if (auto* pictureBox = dynamic_cast<PictureBox*>(box)) {
    pictureBox->showFixed(picture);
  } else {
    box->setPixmap(picture);
  }
}

QIcon pictureIcon(PicturePainter picture, QSize logicalSize) {
  return QIcon(new PictureIconEngine(std::move(picture), logicalSize));
}

QPushButton* makeOkButton(QWidget* parent, QPoint position, QSize size) {
  auto* button = new QPushButton("&OK", parent);
  button->setGeometry(QRect(position, size));
  bindText(button, Message("Screens", "ゲームに戻ります"), "toolTip");
  return button;
}

void setupForm(QWidget* form, const QString& caption, QSize clientSize, Colour background) {
  form->setWindowTitle(caption);
  form->setFixedSize(clientSize);
  form->setFont(formFont(12));
  QPalette palette = form->palette();
  palette.setColor(QPalette::Window, windowsColour(background));
  form->setPalette(palette);
  form->setAutoFillBackground(true);
  form->setWindowFlags((form->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint |
                        Qt::WindowTitleHint) &
                       ~(Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint));
}

void centreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

void showErrorBox(QWidget* parent, const QString& quoting) {
  // A text typed or read from a file may hold characters that cannot be seen.
  const QString text = QString::fromStdString(printableText(quoting.toStdString()));
  static QSet<QString> showing;
  if (showing.contains(text)) return;
  showing.insert(text);
  auto* box = new QMessageBox(QMessageBox::Critical, kAppTitle, text, QMessageBox::Ok, parent);
  box->setObjectName("errorBox");
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(box, &QDialog::finished, [text] { showing.remove(text); });
  openModal(box);
}

namespace {

// Re-activates a window's opener once the window is hidden.
class ReturnToOpener final : public QObject {
 public:
  ReturnToOpener(QWidget* window, QWidget* opener) : QObject(window), opener_(opener) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Hide) {
      if (opener_ && opener_->isVisible()) opener_->activateWindow();
      watched->removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  QPointer<QWidget> opener_;
};

}  // namespace

void openModal(QWidget* window) {
  QWidget* opener = QApplication::activeWindow();
  if (opener != window) new ReturnToOpener(window, opener);
  window->setWindowModality(Qt::ApplicationModal);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace glamora
