#include "editor_screen.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "assets/pictures/picture_library.h"
#include "engine/errors.h"
#include "modes/editor_layout.h"
#include "modes/narrow_combo_style.h"
#include "screens/form_kit.h"

namespace glamora {

namespace {

// The boxes' drop-down button, about as wide as the one the layout was made for.
constexpr int kBoxArrowWidth = 11;

int boxIndex(const EditorBox& box) {
  switch (box.kind) {
    case EditorBox::Norm: return kColumns * kSlots;
    case EditorBox::MirrorTime: return kColumns * kSlots + 1;
    case EditorBox::Grid: break;
  }
  return (box.column - 1) * kSlots + (box.slot - 1);
}

}  // namespace

EditorScreen::EditorScreen(EditorValues& values, const PictureLibrary& pictures, QWidget* parent)
    : QDialog(parent), values_(values), pictures_(pictures) {
  setObjectName("St15Form");
  setupForm(this, QString(), editor_layout::kClientSize);
  bindText(this, Message("EditorScreen", "%1 - オリジナルステージの設定").arg(Message::fixed(kAppTitle)),
           "windowTitle");
  errorBox_ = [this](const QString& text) { showErrorBox(this, text); };

  buildLabels();
  buildPictures();
  // Created in tab order: the grid, then return1, then psc and ptm.
  buildBoxes();
  setTrainingBoxesEnabled(values_.trainingBoxesEnabled);
  showValues();
}

void EditorScreen::buildLabels() {
  for (const auto& entry : editor_layout::labels()) {
    QLabel* label = makeLabel(this, entry.geometry, QString(), entry.style);
    bindText(label, Message("EditorScreen", entry.caption));
    label->setObjectName(entry.name);
    // Like an auto-sized label, a caption grows to its text where the
    // substituted font is wider than the one the layout was made with.
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
  }
}

void EditorScreen::buildPictures() {
  for (const auto& entry : editor_layout::pictures()) {
    QLabel* image = makePictureBox(this, QRect(entry.position, QSize(32, 24)));
    image->setObjectName(entry.name);
    images_.push_back(image);
  }
  showPictures();
}

void EditorScreen::showPictures() {
  const auto layouts = editor_layout::pictures();
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    showPicture(images_[i], pictures_, layouts[i].picture);
  }
}

void EditorScreen::buildBoxes() {
  // The style is shared by the 50 boxes and owned by the form.
  auto* boxStyle = new NarrowComboStyle(kBoxArrowWidth);
  boxStyle->setParent(this);
  QWidget* previous = nullptr;
  for (const EditorBox& entry : editor_layout::boxesInCheckOrder()) {
    if (entry.kind == EditorBox::Norm) {
      return1_ = makeOkButton(this, editor_layout::kOkButtonPosition);
      return1_->setObjectName("return1");
      // Enter in a box does not close the form; only a click or Space on OK does.
      return1_->setAutoDefault(false);
      connect(return1_, &QPushButton::clicked, this, &EditorScreen::return1Click);
      setTabOrder(previous, return1_);
      previous = return1_;
    }
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromStdString(entry.name()));
    box->setStyle(boxStyle);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);  // typed texts are not added to the list
    // A box keeps exactly what is typed: "150" in the NORM is 150, never
    // completed to the list's "1500". The list still sets a value when chosen.
    box->setCompleter(nullptr);
    box->addItems(editor_layout::boxItems(entry));
    box->lineEdit()->setMaxLength(entry.maxLength());
    box->setGeometry(editor_layout::boxGeometry(entry));
    // Typing and choosing from the list both change the edit text.
    connect(box, &QComboBox::editTextChanged, this,
            [this, entry](const QString& text) { values_.type(entry, text.toStdString()); });
    if (previous) setTabOrder(previous, box);
    previous = box;
    boxes_.push_back(box);
  }
}

void EditorScreen::showValues() {
  for (const EditorBox& entry : editor_layout::boxesInCheckOrder()) {
    QComboBox* combo = box(entry);
    const QString text = QString::fromStdString(values_.text(entry));
    if (combo->currentText() != text) combo->setEditText(text);
  }
}

QComboBox* EditorScreen::box(const EditorBox& entry) const { return boxes_[boxIndex(entry)]; }

void EditorScreen::setTrainingBoxesEnabled(bool enabled) {
  values_.trainingBoxesEnabled = enabled;
  box(EditorBox{EditorBox::Norm})->setEnabled(enabled);
  box(EditorBox{EditorBox::MirrorTime})->setEnabled(enabled);
}

void EditorScreen::setErrorBox(ErrorBox errorBox) { errorBox_ = std::move(errorBox); }

bool EditorScreen::checkBoxes() {
  try {
    values_.check();
    return true;
  } catch (const GameError& error) {
    errorBox_(translated(errorBoxText(error)));
    return false;
  }
}

void EditorScreen::return1Click() {
  // A failing box is reported here; when the check passes, the close runs it
  // again and passes as well, so the message never shows twice.
  if (onCloseAttempt) onCloseAttempt();
  if (!checkBoxes()) return;
  closingAfterOk_ = true;
  accept();
  closingAfterOk_ = false;
}

void EditorScreen::done(int result) {
  // The close box reaches here through QDialog::closeEvent and reject(), which
  // ignores the close event while the form stays visible.
  if (onCloseAttempt && !closingAfterOk_) onCloseAttempt();
  if (!checkBoxes()) return;
  QDialog::done(result);
}

void EditorScreen::showEvent(QShowEvent* event) {
  // Opening shows the texts as they were left, and the enabling the title
  // screen asked for.
  setTrainingBoxesEnabled(values_.trainingBoxesEnabled);
  showValues();
  showPictures();
  if (!event->spontaneous()) centreOnScreen(this);
  QDialog::showEvent(event);
}

}  // namespace glamora
