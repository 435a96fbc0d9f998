// The "Video" button as a user meets it: the question, the film made while
// the window goes on, the player handed the file; a stopped film leaves none.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <filesystem>

#include "app/desktop.h"
#include "app/video_export.h"
#include "support/temp_tree.h"
#include "window_fixture.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

TEST(VideoExportWindow, MakesTheFilmAskedForOrNoneWhenStopped) {
    testing::TempTree documents;
    setDocumentsFolderForTests(documents.root());
    QStringList opened;
    setDesktopOpenerForTests([&](const QString& path) {
        opened << path;
        return true;
    });
    const auto w = openSample();
    VideoExport* video = w->video();
    struct Case {
        int toSeconds;
        bool stop;
        const char* file;
    };
    for (const Case c : {Case{610, false, "short.mp4"}, Case{4000, true, "stopped.mp4"}}) {
        SCOPED_TRACE(c.file);
        w->actions().trigger(Command::Video);
        auto* dialog = w->findChild<QDialog*>(QStringLiteral("videoExportDialog"));
        ASSERT_TRUE(dialog && dialog->isVisible());
        dialog->findChild<QSpinBox*>(QStringLiteral("videoFromBox"))->setValue(600);
        dialog->findChild<QSpinBox*>(QStringLiteral("videoToBox"))->setValue(c.toSeconds);
        dialog->findChild<QComboBox*>(QStringLiteral("videoSizeBox"))->setCurrentIndex(3);
        const fs::path file = documents.root() / c.file;
        dialog->findChild<QLineEdit*>(QStringLiteral("videoFileEdit"))
            ->setText(QString::fromStdString(file.string()));
        QSignalSpy progressed(video, &VideoExport::progressed);
        QSignalSpy finished(video, &VideoExport::finished);
        dialog->findChild<QPushButton*>(QStringLiteral("videoMakeButton"))->click();
        EXPECT_FALSE(dialog->isVisible());
        ASSERT_TRUE(video->running());
        if (c.stop) {
            ASSERT_TRUE(progressed.wait(30000));
            w->findChild<QPushButton*>(QStringLiteral("videoStopButton"))->click();
        }
        for (int i = 0; i < 600 && video->running(); ++i) finished.wait(100);
        ASSERT_FALSE(video->running());
        QCoreApplication::processEvents();
        EXPECT_EQ(fs::exists(file), !c.stop);
        EXPECT_EQ(finished.count(), c.stop ? 0 : 1);
        EXPECT_FALSE(w->findChild<QDialog*>(QStringLiteral("videoProgressPanel"))->isVisible());
    }
    // The finished film went to the player; the stopped one left nothing.
    EXPECT_EQ(opened,
              QStringList{QString::fromStdString((documents.root() / "short.mp4").string())});
    EXPECT_EQ(std::distance(fs::directory_iterator(documents.root()), fs::directory_iterator()), 1);
    setDesktopOpenerForTests({});
}

}  // namespace
}  // namespace korvane
