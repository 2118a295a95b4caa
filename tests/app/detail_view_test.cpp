#include "app_test_support.h"

#include "window/ptx_detail_view.h"

#include <QLabel>
#include <QSignalSpy>

using kestrix::PTXDetailView;

namespace {

bool showsLabel(const QWidget &view, const QString &text)
{
    for (const QLabel *label : view.findChildren<QLabel *>())
        if (label->isVisibleTo(&view) && label->text() == text)
            return true;
    return false;
}

void waitForLoad(PTXDetailView &view)
{
    QSignalSpy finished(&view, &PTXDetailView::loadFinished);
    ASSERT_TRUE(finished.count() > 0 || finished.wait(10000));
    EXPECT_FALSE(view.isLoading());
}

} // namespace

using DetailViewTest = AppTest;

TEST_F(DetailViewTest, ShowsTheSessionItReadAlsoWhileAbandonedLoadsFinish)
{
    // Views closed during their load: each load still finishes on its thread
    // without a view to report to.
    for (int i = 0; i < 20; ++i) {
        auto abandoned = std::make_unique<PTXDetailView>(QStringLiteral(KESTRIX_DEMO_SESSION));
        abandoned->reload();
    }
    PTXDetailView view(QStringLiteral(KESTRIX_DEMO_SESSION));
    EXPECT_TRUE(view.isLoading()) << "reading happens off the main thread";
    waitForLoad(view);
    ASSERT_TRUE(view.sessionInfo());
    EXPECT_TRUE(view.errorText().isEmpty());
    EXPECT_EQ(view.sessionInfo()->sessionName, "Kestrix Demo");
    EXPECT_TRUE(showsLabel(view, "48000")) << "the session's sample rate";
    EXPECT_TRUE(showsLabel(view, QString("Tracks (%1)").arg(view.sessionInfo()->tracks.size())));
    EXPECT_FALSE(showsLabel(view, "Error"));
}

TEST_F(DetailViewTest, AFileThatCannotBeReadShowsTheError)
{
    for (const QString &file : {makeFile("Broken.ptx"), path("Missing.ptx")}) {
        PTXDetailView view(file);
        waitForLoad(view);
        EXPECT_FALSE(view.sessionInfo());
        EXPECT_EQ(view.errorText(), "Failed to parse session blocks");
        EXPECT_TRUE(showsLabel(view, "Error"));
        EXPECT_TRUE(showsLabel(view, "Failed to parse session blocks"));
    }
}
