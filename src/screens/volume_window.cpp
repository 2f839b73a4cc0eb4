#include "volume_window.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "screens/form_kit.h"

namespace glamora {

namespace {

constexpr int kStep = 5;  // Page Up / Page Down and the marks under the slider

}  // namespace

VolumeWindow::VolumeWindow(QWidget* parent, std::function<void(int, int)> changed)
    : QDialog(parent), changed_(std::move(changed)) {
  setObjectName("volumeWindow");
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setColumnMinimumWidth(1, 240);
  layout->addLayout(grid);
  music_ = addRow("volumeMusic");
  voices_ = addRow("volumeVoices");
  for (int r = 0; const Row& row : {music_, voices_}) {
    grid->addWidget(row.caption, r, 0);
    grid->addWidget(row.slider, r, 1);
    grid->addWidget(row.value, r, 2);
    row.caption->setBuddy(row.slider);
    ++r;
  }
  note_ = new QLabel(this);
  note_->setObjectName("volumeNote");
  note_->setWordWrap(true);
  note_->setStyleSheet("color: #404040");
  layout->addWidget(note_);
  auto* buttons = new QDialogButtonBox(this);
  close_ = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
  close_->setObjectName("volumeClose");
  close_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  retranslate();
  showValues();
}

VolumeWindow::Row VolumeWindow::addRow(const char* name) {
  Row row;
  row.caption = new QLabel(this);
  row.slider = new QSlider(Qt::Horizontal, this);
  row.slider->setObjectName(name);
  row.slider->setRange(0, 100);
  row.slider->setValue(100);
  row.slider->setSingleStep(1);
  row.slider->setPageStep(kStep * 2);
  row.slider->setTickInterval(kStep * 2);
  row.slider->setTickPosition(QSlider::TicksBelow);
  row.value = new QLabel(this);
  row.value->setObjectName(QString(name) + "Value");
  row.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  row.value->setMinimumWidth(QFontMetrics(font()).horizontalAdvance("100 %") + 4);
  connect(row.slider, &QSlider::valueChanged, this, [this] {
    showValues();
    if (!showing_ && changed_) changed_(music(), voices());
  });
  return row;
}

void VolumeWindow::showLevels(int music, int voices) {
  showing_ = true;
  music_.slider->setValue(music);
  voices_.slider->setValue(voices);
  showing_ = false;
  showValues();
}

int VolumeWindow::music() const { return music_.slider->value(); }
int VolumeWindow::voices() const { return voices_.slider->value(); }

void VolumeWindow::showValues() {
  for (const Row& row : {music_, voices_}) row.value->setText(QStringLiteral("%1 %").arg(row.slider->value()));
}

void VolumeWindow::retranslate() {
  setWindowTitle(tr("%1 - 音量").arg(kAppTitle));
  music_.caption->setText(tr("BGM(&M)"));
  voices_.caption->setText(tr("効果音(&E)"));
  note_->setText(tr("動かすとすぐに聞こえ方が変わります。BGM と効果音の ON/OFF はそのままです。"));
  close_->setText(tr("閉じる(&C)"));
}

void VolumeWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) retranslate();
  QDialog::changeEvent(event);
}

}  // namespace glamora
