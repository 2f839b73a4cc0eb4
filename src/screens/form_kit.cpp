#include "form_kit.h"

#include <QApplication>
#include <QFont>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPalette>
#include <QScreen>
#include <QSet>

namespace glamora {

QColor windowsColour(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

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

void setLabelBackground(QLabel* label, int background) {
  QPalette palette = label->palette();
  label->setAutoFillBackground(background >= 0);
  if (background >= 0) palette.setColor(QPalette::Window, windowsColour(background));
  label->setPalette(palette);
}

void setLabelTextColour(QLabel* label, int colour) {
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
  } else {
    label->setGeometry(geometry);
  }
  return label;
}

QLabel* makeLabel(QWidget* parent, const LabelSpec& entry) {
  QLabel* label = makeLabel(parent, entry.geometry, entry.text, entry.style);
  label->setObjectName(entry.name);
  return label;
}

QLabel* makePictureBox(QWidget* parent, QRect geometry) {
  auto* box = new QLabel(parent);
  box->setGeometry(geometry);
  box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return box;
}

void showPicture(QLabel* box, const QPixmap& picture) { box->setPixmap(picture); }

QPushButton* makeOkButton(QWidget* parent, QPoint position, QSize size) {
  auto* button = new QPushButton("&OK", parent);
  button->setGeometry(QRect(position, size));
  button->setToolTip("ゲームに戻ります");
  return button;
}

void setupForm(QWidget* form, const QString& caption, QSize clientSize, int background) {
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

void showErrorBox(QWidget* parent, const QString& text) {
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
