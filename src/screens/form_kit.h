// Building blocks shared by every screen: forms laid out in pixels as the game
// designs them, labels in Windows colours, picture boxes and the OK button.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

#include "assets/pictures/picture_id.h"
#include "engine/effects.h"
#include "engine/pictures.h"
#include "screens/live_text.h"

namespace glamora {

class PictureLibrary;

inline constexpr const char* kAppTitle = "Glamora Ver1.0";
// The font every screen names; main() substitutes a Japanese font for it.
inline constexpr const char* kFormFontFamily = "ＭＳ Ｐゴシック";

QColor windowsColour(Colour colour);

// Makes the font name the screens use resolve to an installed Japanese font.
void installFontSubstitutions();

// The form's font at a pixel height.
QFont formFont(int pixelHeight, bool bold = false);

inline constexpr std::optional<Colour> kTransparent;  // no background

struct LabelStyle {
  int pixelHeight = 12;
  bool bold = true;
  Colour textColour = kClWhite;
  std::optional<Colour> background = kTransparent;
  Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
};

// A label at a fixed place: `geometry` is left, top, width, height; a width of
// 0 sizes it to its text.
QLabel* makeLabel(QWidget* parent, QRect geometry, const QString& text, const LabelStyle& style);
void setLabelBackground(QLabel* label, std::optional<Colour> background);

// One text label of a layout table, named as the screen names it.
// A table's texts are marked QT_TRANSLATE_NOOP("Screens", ...) and shown
// in the chosen language.
struct LabelLayout {
  const char* name;
  QRect geometry;
  const char* text;
  LabelStyle style;
};
QLabel* makeLabel(QWidget* parent, const LabelLayout& entry);
void setLabelTextColour(QLabel* label, Colour colour);

// A picture painted on demand at a device pixel ratio.
using PicturePainter = std::function<QPixmap(qreal devicePixelRatio)>;

// A picture box: shows a copy of the picture it was given last, painted at the
// device pixel ratio of the screen its window is on, and painted again when
// the window moves to a screen of another ratio.
QLabel* makePictureBox(QWidget* parent, QRect geometry);
void showPicture(QLabel* box, PicturePainter picture);
// A library picture; a current-frame picture shows the frame it holds now.
// The library must outlive the box.
void showPicture(QLabel* box, const PictureLibrary& library, PictureId id);
void showPicture(QLabel* box, const PictureLibrary& library, Picture picture);
// A finished pixmap, shown as it is at every ratio.
void showPicture(QLabel* box, const QPixmap& picture);

// An icon painted at the size and ratio it is shown at (a button's glyph).
QIcon pictureIcon(PicturePainter picture, QSize logicalSize);

// The "&OK" button with its hint "ゲームに戻ります"; 75 x 25 unless told.
QPushButton* makeOkButton(QWidget* parent, QPoint position, QSize size = QSize(75, 25));

// A fixed-size client area of the given colour, the form's font, a caption,
// and a title bar with only the close box.
void setupForm(QWidget* form, const QString& caption, QSize clientSize, Colour background = kClBlack);

// Places a top-level window in the middle of the screen it is on.
void centreOnScreen(QWidget* window);

// The game's error box: caption "Glamora Ver1.0", stop icon, OK. The same text
// is never shown twice at once. It opens without waiting for the OK, like
// every modal screen: the clock goes on while it shows. Characters that
// cannot be seen are shown as escapes (printableText).
void showErrorBox(QWidget* parent, const QString& text);

// Shows a window modal to the whole program without a nested event loop. When
// it is hidden again, the window that was active before is activated, so its
// menu shortcuts work at once even without a window manager.
void openModal(QWidget* window);

}  // namespace glamora
