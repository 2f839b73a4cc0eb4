#include "screen_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>

#include "assets/pictures/picture_library.h"

namespace glamora {

ScreenDialog::ScreenDialog(QWidget* parent, const char* name, Message caption, QSize clientSize, Colour background)
    : QDialog(parent) {
  setObjectName(name);
  setupForm(this, QString(), clientSize, background);
  bindText(this, std::move(caption), "windowTitle");
  // A dialog border: no size grip, no "?" button.
  setSizeGripEnabled(false);
}

void ScreenDialog::openModal() { glamora::openModal(this); }

QPushButton* ScreenDialog::addOkButton(const char* name, QPoint position, QSize size) {
  QPushButton* button = makeOkButton(this, position, size);
  button->setObjectName(name);
  connect(button, &QPushButton::clicked, this, &QDialog::accept);
  return button;
}

QLabel* ScreenDialog::addLabel(const LabelLayout& entry) { return makeLabel(this, entry); }

void ScreenDialog::addLabels(std::span<const LabelLayout> layouts) {
  for (const LabelLayout& entry : layouts) addLabel(entry);
}

QLabel* ScreenDialog::addPicture(const char* name, QRect geometry, const PictureLibrary& library, PictureId id) {
  QLabel* box = makePictureBox(this, geometry);
  box->setObjectName(name);
  showPicture(box, library, id);
  return box;
}

void ScreenDialog::useHelpFrame(const PictureLibrary& library) {
  setWindowIcon(library.programIcon());
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setSizeGripEnabled(true);
}

void ScreenDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // QDialog places itself over its parent; the screens stand in the middle of the screen.
  if (!event->spontaneous()) centreOnScreen(this);
}

}  // namespace glamora
