#include "content_view.h"

#include "recent_files.h"
#include "recent_session_row.h"
#include "text_style.h"
#include "splash_feature_row.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kestrix {

namespace {

struct Feature {
    SplashIcon icon;
    QColor tint;
    const char *title;
    const char *description;
};

const Feature kFeatures[] = {
    {SplashIcon::eye, QColor(0, 122, 255), "Session Thumbnails",
     "GNOME Files, Dolphin and other file managers show each session's timeline."},
    {SplashIcon::waveform, QColor(175, 82, 222), "Open in Kestrix",
     "View one or more .ptx files, play files and clips, import, and show files in the file manager."},
    {SplashIcon::downloadArrow, QColor(52, 168, 83), "Import to Pro Tools",
     "Import tracks (name+color+clips), audio, or clips into Pro Tools (2025.6 and later)."},
    {SplashIcon::lightBulb, QColor(255, 149, 0), "Suggest A Feature",
     "Select the 'Send Feature Request…' menu item with a description of workflows you need."},
};

QLabel *centredLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

ContentView::ContentView(RecentFiles &recents, QWidget *parent)
    : QWidget(parent)
    , recents_(recents)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeLeftPane());
    layout->addWidget(makeRightPane());

    // Queued, so that a row chosen with the mouse is not deleted while it is
    // still handling the click that changed the list.
    connect(&recents_, &RecentFiles::urlsChanged, this, &ContentView::rebuildRecentRows, Qt::QueuedConnection);
    rebuildRecentRows();
}

QWidget *ContentView::makeLeftPane()
{
    auto *pane = new QWidget;
    pane->setFixedWidth(kLeftPaneWidth);

    auto *icon = new QLabel;
    icon->setPixmap(QGuiApplication::windowIcon().pixmap(QSize(80, 80), devicePixelRatioF()));
    icon->setFixedSize(80, 80);
    auto *name = centredLabel(QStringLiteral("Kestrix"));
    name->setFont(scaledFont(font(), 2.0, true));
    auto *tagline = centredLabel(QStringLiteral("Browse Pro Tools sessions"));
    tagline->setForegroundRole(QPalette::PlaceholderText);

    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(24, 36, 24, 24);
    layout->setSpacing(6);
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(name);
    layout->addWidget(tagline);
    layout->addSpacing(22);
    for (const Feature &feature : kFeatures) {
        layout->addWidget(new SplashFeatureRow(feature.icon, feature.tint, QString::fromUtf8(feature.title),
                                               QString::fromUtf8(feature.description)));
        layout->addSpacing(10);
    }
    layout->addStretch();
    return pane;
}

QWidget *ContentView::makeRightPane()
{
    auto *pane = new QWidget;
    pane->setFixedWidth(kRightPaneWidth);
    pane->setAutoFillBackground(true);
    pane->setBackgroundRole(QPalette::Base);

    auto *heading = new QLabel(QStringLiteral("Recent Sessions"));
    heading->setFont(scaledFont(font(), 1.15, true));

    recentRowsPage_ = new QWidget;
    recentRows_ = new QVBoxLayout(recentRowsPage_);
    recentRows_->setContentsMargins(0, 0, 0, 0);
    recentRows_->setSpacing(0);
    auto *scroll = new QScrollArea;
    scroll->setWidget(recentRowsPage_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setBackgroundRole(QPalette::Base);

    noRecentSessions_ = centredLabel(QStringLiteral("No Recent Sessions"));
    noRecentSessions_->setForegroundRole(QPalette::PlaceholderText);

    recentArea_ = new QStackedWidget;
    recentArea_->addWidget(scroll);
    recentArea_->addWidget(noRecentSessions_);

    auto *openButton = new QPushButton(QStringLiteral("Open a .ptx File..."));
    openButton->setIcon(splashIcon(SplashIcon::documentPlus, palette().color(QPalette::ButtonText)));
    connect(openButton, &QPushButton::clicked, this, &ContentView::openPanelRequested);

    auto *version = centredLabel(QStringLiteral("Version ") + QCoreApplication::applicationVersion());
    version->setFont(scaledFont(font(), 0.85));
    version->setForegroundRole(QPalette::PlaceholderText);

    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(16, 36, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(heading);
    layout->addWidget(recentArea_, 1);
    layout->addWidget(openButton);
    layout->addWidget(version);
    return pane;
}

void ContentView::rebuildRecentRows()
{
    while (QLayoutItem *item = recentRows_->takeAt(0)) {
        if (QWidget *row = item->widget()) {
            row->hide();
            row->deleteLater();
        }
        delete item;
    }
    for (const QString &path : recents_.urls()) {
        auto *row = new RecentSessionRow(path);
        connect(row, &RecentSessionRow::chosen, this, &ContentView::recentFileChosen);
        recentRows_->addWidget(row);
    }
    recentRows_->addStretch();
    recentArea_->setCurrentWidget(recents_.urls().isEmpty() ? static_cast<QWidget *>(noRecentSessions_)
                                                            : recentArea_->widget(0));
}

} // namespace kestrix
