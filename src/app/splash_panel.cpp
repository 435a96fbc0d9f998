#include "app/splash_panel.h"

#include "app/replay_controller.h"

#include <algorithm>

namespace korvane {

namespace {

constexpr int kProgressWidth = 300;
constexpr int kProgressHeight = 18;
constexpr int kStatusWidth = 500;
constexpr int kTextWidth = 900;
constexpr int kProgressBelowPicture = 45;
constexpr int kStatusBelowProgress = 20;
constexpr int kSmallScreenHeight = 610;  // below it the maker's lines give way
constexpr int kMakerAboveBottom = 95;
constexpr int kPoweredByAboveBottom = 111;
constexpr int kVersionAboveBottom = 140;

QLabel* centredLabel(QWidget* parent, int pointSize) {
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setPointSize(pointSize);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: white;"));
    return l;
}

}  // namespace

SplashPanel::SplashPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 64));
    setPalette(pal);
    picture_ = new QLabel(this);
    title_ = centredLabel(this, 24);
    date_ = centredLabel(this, 16);
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(false);
    progress_->setStyleSheet(
        QStringLiteral("QProgressBar { border: 1px solid black; background: #202040; }"
                       "QProgressBar::chunk { background: yellow; }"));
    status_ = centredLabel(this, 10);
    maker_ = centredLabel(this, 10);
    maker_->setText(QStringLiteral("korvane"));
    poweredBy_ = centredLabel(this, 8);
    poweredBy_->setText(QStringLiteral("Powered by"));
    version_ = centredLabel(this, 10);
    version_->setText(QStringLiteral(" korvane v.") + QStringLiteral(KORVANE_VERSION));
    for (auto [label, name] : {std::pair{maker_, "splashMaker"}, std::pair{poweredBy_, "poweredBy"},
                               std::pair{version_, "splashVersion"}})
        label->setObjectName(QLatin1String(name));
}

void SplashPanel::setCover(const QPixmap& cover) {
    picture_->setPixmap(cover);
    hasCover_ = !cover.isNull();
    picture_->setVisible(hasCover_);
    placeChildren();
}

void SplashPanel::setTitle(const QString& title, const QString& date) {
    title_->setText(title);
    date_->setText(date);
}

void SplashPanel::setProgress(int step, int stepCount, const QString& text) {
    // Eighty boats report within a fraction of a second: the panel shows a
    // step at most every few frames, so that painting it does not take the
    // processor from the opening it reports on. The first and last always show.
    constexpr qint64 kShowEveryMs = 50;
    const bool endpoint = step <= 0 || step >= stepCount;
    if (!endpoint && lastShown_.isValid() && lastShown_.elapsed() < kShowEveryMs) return;
    lastShown_.start();
    progress_->setRange(0, std::max(1, stepCount));
    progress_->setValue(std::clamp(step, 0, std::max(1, stepCount)));
    status_->setText(text);
}

void SplashPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeChildren();
}

void SplashPanel::placeChildren() {
    // Not isVisible(): the cover is set while the splash itself is hidden.
    const QSize pic = hasCover_ ? picture_->sizeHint() : QSize(0, 0);
    const int picLeft = (width() - pic.width()) / 2;
    const int picTop = (height() - pic.height()) / 2;
    picture_->setGeometry(picLeft, picTop, pic.width(), pic.height());
    const int progressTop = picTop + pic.height() + kProgressBelowPicture;
    progress_->setGeometry((width() - kProgressWidth) / 2, progressTop, kProgressWidth,
                           kProgressHeight);
    status_->setGeometry((width() - kStatusWidth) / 2, progressTop + kStatusBelowProgress,
                         kStatusWidth, kProgressHeight);
    const bool small = height() < kSmallScreenHeight;
    const int textLeft = (width() - kTextWidth) / 2;
    title_->setGeometry(textLeft, small ? (picTop - 20) / 2 : std::max(picTop - 70, 110),
                        kTextWidth, 40);
    date_->setGeometry(textLeft, std::max(picTop - 130, 50), kTextWidth, 30);
    date_->setVisible(!small);
    for (auto [label, above] :
         {std::pair{maker_, kMakerAboveBottom}, std::pair{poweredBy_, kPoweredByAboveBottom},
          std::pair{version_, kVersionAboveBottom}}) {
        label->setGeometry(textLeft, height() - above, kTextWidth, 16);
        label->setVisible(!small);
    }
}

void SplashPanel::follow(const ReplayController& replay) {
    connect(&replay, &ReplayController::openingStarted, this, [this](const QString& race) {
        setTitle(race, QString());
        setProgress(0, 1, QStringLiteral("READING  ") + race);
        show();
        raise();
    });
    connect(&replay, &ReplayController::openingProgress, this, &SplashPanel::setProgress);
    connect(&replay, &ReplayController::openingFailed, this, &QWidget::hide);
    connect(&replay, &ReplayController::openingCancelled, this, &QWidget::hide);
    connect(&replay, &ReplayController::sessionChanged, this,
            [this](const std::shared_ptr<const RaceSession>& session) {
                hide();
                const Race& race = session->model.race;
                setTitle(QString::fromStdString(race.caption),
                         QString::fromStdString(race.captionDate));
            });
}

}  // namespace korvane
