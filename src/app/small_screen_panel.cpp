#include "app/small_screen_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace korvane {

namespace {

QComboBox* sizeList(QWidget* parent, int from, int to, int chosen) {
    auto* list = new QComboBox(parent);
    list->setEditable(true);
    for (int v = from; v <= to; v += 20) list->addItem(QString::number(v));
    list->setEditText(QString::number(chosen));
    return list;
}

}  // namespace

SmallScreenPanel::SmallScreenPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    const std::pair<SmallScreen, const char*> sizes[] = {{SmallScreen::S800x600, "800 x 600"},
                                                         {SmallScreen::S800x480, "800 x 480"},
                                                         {SmallScreen::S640x480, "640 x 480"},
                                                         {SmallScreen::S480x320, "480 x 320"},
                                                         {SmallScreen::Preference, "Preferance"}};
    for (const auto& [mode, caption] : sizes) {
        auto* b = new QRadioButton(QString::fromLatin1(caption), this);
        buttons_.addButton(b, static_cast<int>(mode));
        row->addWidget(b);
    }
    sizeButton(SmallScreen::S480x320)->setChecked(true);
    widthList_ = sizeList(this, 300, 1280, 480);
    heightList_ = sizeList(this, 240, 640, 320);
    widthList_->setObjectName(QStringLiteral("widthList"));
    heightList_->setObjectName(QStringLiteral("heightList"));
    row->addWidget(new QLabel(QStringLiteral("W ="), this));
    row->addWidget(widthList_);
    row->addWidget(new QLabel(QStringLiteral("H ="), this));
    row->addWidget(heightList_);
    adjustSize();

    connect(&buttons_, &QButtonGroup::idClicked, this,
            [this](int id) { take(static_cast<SmallScreen>(id)); });
    for (QComboBox* list : {widthList_, heightList_})
        connect(list, &QComboBox::currentTextChanged, this, [this] {
            sizeButton(SmallScreen::Preference)->setChecked(true);
            take(SmallScreen::Preference);
        });
}

QRadioButton* SmallScreenPanel::sizeButton(SmallScreen mode) const {
    return qobject_cast<QRadioButton*>(buttons_.button(static_cast<int>(mode)));
}

void SmallScreenPanel::choose(SmallScreen mode) {
    if (QRadioButton* b = sizeButton(mode)) b->setChecked(true);
    take(mode);
}

void SmallScreenPanel::take(SmallScreen mode) {
    if (mode == SmallScreen::Off) return;
    mode_ = mode;
    if (mode == SmallScreen::Preference) {
        // A size that is no number of pixels leaves the map as it is.
        if (const auto typed =
                preferenceSize(widthList_->currentText(), heightList_->currentText()))
            size_ = *typed;
    } else {
        size_ = smallScreenSize(mode, size_);
    }
    emit sizeChosen(mode_, size_);
}

}  // namespace korvane
