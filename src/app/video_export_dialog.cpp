#include "app/video_export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>

#include "app/captions.h"
#include "ui_text/message_table.h"

namespace korvane {

namespace {

// Film sizes people share: HD, full HD, and two for small screens.
constexpr std::pair<int, int> kSizes[] = {{1280, 720}, {1920, 1080}, {854, 480}, {640, 360}};
constexpr int kFrameRates[] = {30, 25, 60};
constexpr int kDefaultSpeed = 10;

QString minutesAndSeconds(double seconds) {
    const long s = std::lround(std::max(0.0, seconds));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

QLabel* namedLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

}  // namespace

VideoExportDialog::VideoExportDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("videoExportDialog"));
    setWindowTitle(QStringLiteral("korvane"));
    from_ = new QSpinBox(this);
    to_ = new QSpinBox(this);
    speed_ = new QSpinBox(this);
    speed_->setRange(1, 1500);
    speed_->setValue(kDefaultSpeed);
    speed_->setSuffix(QStringLiteral(" x"));
    size_ = new QComboBox(this);
    for (const auto& [w, h] : kSizes) size_->addItem(QStringLiteral("%1 x %2").arg(w).arg(h));
    fps_ = new QComboBox(this);
    for (int f : kFrameRates) fps_->addItem(QString::number(f));
    codec_ = new QComboBox(this);
    codec_->addItem(QStringLiteral("H.264"));
    codec_->addItem(QStringLiteral("H.265"));
    standings_ = new QCheckBox(this);
    standings_->setChecked(true);
    file_ = new QLineEdit(this);
    auto* browseButton = new QPushButton(this);
    browseButton->setObjectName(QStringLiteral("videoBrowseButton"));
    length_ = new QLabel(this);
    const std::pair<QWidget*, const char*> named[] = {
        {from_, "videoFromBox"},  {to_, "videoToBox"},          {speed_, "videoSpeedBox"},
        {size_, "videoSizeBox"},  {fps_, "videoFpsBox"},        {codec_, "videoCodecBox"},
        {file_, "videoFileEdit"}, {length_, "videoLengthText"}, {standings_, "videoStandingsBox"},
    };
    for (const auto& [w, name] : named) w->setObjectName(QLatin1String(name));

    auto* form = new QFormLayout(this);
    form->addRow(namedLabel(this, "videoFromLabel"), from_);
    form->addRow(namedLabel(this, "videoToLabel"), to_);
    form->addRow(namedLabel(this, "videoSpeedLabel"), speed_);
    form->addRow(namedLabel(this, "videoSizeLabel"), size_);
    form->addRow(namedLabel(this, "videoFpsLabel"), fps_);
    form->addRow(namedLabel(this, "videoCodecLabel"), codec_);
    form->addRow(standings_);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browseButton);
    form->addRow(namedLabel(this, "videoFileLabel"), fileRow);
    form->addRow(length_);
    auto* buttons = new QDialogButtonBox(this);
    auto* make = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    make->setObjectName(QStringLiteral("videoMakeButton"));
    make->setDefault(true);
    auto* cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("videoCancelButton"));
    form->addRow(buttons);
    // Room for a whole path in the file field.
    setMinimumWidth(440);

    for (QSpinBox* box : {from_, to_, speed_})
        connect(box, &QSpinBox::valueChanged, this, &VideoExportDialog::showFilmLength);
    connect(fps_, &QComboBox::currentIndexChanged, this, &VideoExportDialog::showFilmLength);
    connect(browseButton, &QPushButton::clicked, this, &VideoExportDialog::browse);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        const FilmJob j = job();
        // The spin boxes keep every other choice inside what can be filmed.
        if (!j.plan.problem().empty() || j.output.empty()) {
            to_->setFocus();
            return;
        }
        accept();
        emit jobChosen(j);
    });
}

void VideoExportDialog::prepare(double beginSeconds, double endSeconds, double nowSeconds,
                                const std::filesystem::path& suggestedFile) {
    const int begin = static_cast<int>(std::floor(beginSeconds));
    const int end = static_cast<int>(std::ceil(endSeconds));
    for (QSpinBox* box : {from_, to_}) {
        box->setRange(begin, end);
        box->setSuffix(QStringLiteral(" s"));
    }
    const bool inside = nowSeconds > beginSeconds && nowSeconds < endSeconds;
    from_->setValue(inside ? static_cast<int>(std::floor(nowSeconds)) : begin);
    to_->setValue(end);
    if (file_->text().isEmpty()) file_->setText(QString::fromStdString(suggestedFile.string()));
    showFilmLength();
}

FilmJob VideoExportDialog::job() const {
    FilmJob j;
    j.plan.fromSeconds = from_->value();
    j.plan.toSeconds = to_->value();
    j.plan.speed = speed_->value();
    const auto [w, h] = kSizes[std::max(0, size_->currentIndex())];
    j.plan.width = w;
    j.plan.height = h;
    j.plan.fps = kFrameRates[std::max(0, fps_->currentIndex())];
    j.plan.codec = codec_->currentIndex() == 1 ? VideoCodec::H265 : VideoCodec::H264;
    j.look.standings = standings_->isChecked();
    j.output = file_->text().trimmed().toStdString();
    return j;
}

void VideoExportDialog::showFilmLength() {
    const FilmPlan plan = job().plan;
    // The dialog is a window of its own; the language is the main window's.
    const QWidget* window = parentWidget() ? parentWidget() : this;
    length_->setText(
        plan.problem().empty()
            ? shownMessage(window, Message::VideoLength).arg(minutesAndSeconds(plan.filmSeconds()))
            : shownMessage(window, Message::VideoSpanEmpty));
}

void VideoExportDialog::browse() {
    const QString chosen =
        QFileDialog::getSaveFileName(this, QString(), file_->text(), QStringLiteral("MP4 (*.mp4)"));
    if (!chosen.isEmpty()) file_->setText(chosen);
}

}  // namespace korvane
