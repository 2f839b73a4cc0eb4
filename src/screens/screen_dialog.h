// The base of the help, information and result screens: a client area laid
// out in pixels (fixed in size unless it is a help screen), centred on the screen each time it is shown, hidden (never
// destroyed) when closed, and helpers that build its labels from a table.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <span>

#include "screens/form_kit.h"

class QLabel;
class QPushButton;

namespace glamora {

class PictureLibrary;

class ScreenDialog : public QDialog {
  Q_OBJECT

 public:
  // `name` becomes the objectName (the screen's instance name, e.g. "SousaForm").
  ScreenDialog(QWidget* parent, const char* name, Message caption, QSize clientSize, Colour background = kClBlack);

  // Shows the screen modally and returns at once; the window that was active
  // before is activated again when it closes.
  void openModal();

 protected:
  // The "&OK" button: closes the screen with the OK result.
  QPushButton* addOkButton(const char* name, QPoint position, QSize size = QSize(75, 25));
  QLabel* addLabel(const LabelLayout& entry);
  void addLabels(std::span<const LabelLayout> layouts);
  // A picture box holding a copy of a library picture.
  QLabel* addPicture(const char* name, QRect geometry, const PictureLibrary& library, PictureId id);
  // Help screens show the program's icon in their title bar and have a
  // resizable border: the user may make the window larger or smaller, the
  // layout stays where it is.
  void useHelpFrame(const PictureLibrary& library);

  void showEvent(QShowEvent* event) override;
};

}  // namespace glamora
