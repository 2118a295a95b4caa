#include "ptx_detail_view.h"

#include "log.h"
#include "ptx_error.h"
#include "session_loader.h"

#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPromise>
#include <QStackedWidget>
#include <QThreadPool>
#include <QVBoxLayout>

#include <exception>
#include <memory>

namespace kestrix {

namespace {

QFont scaledFont(const QFont &base, double factor, bool bold)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

QPixmap warningTriangle(int size, double devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(size / 2.0, size * 0.08);
    triangle.lineTo(size * 0.96, size * 0.9);
    triangle.lineTo(size * 0.04, size * 0.9);
    triangle.closeSubpath();
    painter.fillPath(triangle, QColor(220, 50, 47));
    painter.setPen(QPen(Qt::white, size * 0.09, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(size / 2.0, size * 0.36), QPointF(size / 2.0, size * 0.62));
    painter.drawPoint(QPointF(size / 2.0, size * 0.76));
    return pixmap;
}

QLabel *countLabel()
{
    auto *label = new QLabel;
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

PTXDetailView::PTXDetailView(const QString &filePath, QWidget *parent)
    : QWidget(parent)
    , filePath_(filePath)
{
    pages_ = new QStackedWidget(this);
    loadingPage_ = makeLoadingPage();
    sessionPage_ = makeSessionPage();
    errorPage_ = makeErrorPage();
    pages_->addWidget(loadingPage_);
    pages_->addWidget(sessionPage_);
    pages_->addWidget(errorPage_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);

    connect(&watcher_, &QFutureWatcher<LoadOutcome>::finished, this, &PTXDetailView::finishLoading);
    reload();
}

void PTXDetailView::reload()
{
    isLoading_ = true;
    if (!sessionInfo_)
        pages_->setCurrentWidget(loadingPage_);

    // The promise is shared with the task so that it outlives this view when
    // the window closes mid-load; the watcher then simply never reports.
    auto promise = std::make_shared<QPromise<LoadOutcome>>();
    watcher_.setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, path = filePath_] {
        promise->start();
        promise->addResult(load(path));
        promise->finish();
    });
}

PTXDetailView::LoadOutcome PTXDetailView::load(const QString &filePath)
{
    try {
        Result<PTXSessionInfo, PTXError> result = loadSession(QFile::encodeName(filePath).toStdString());
        if (!result)
            return {std::nullopt, QString::fromStdString(result.error().description())};
        return {std::move(result).value(), {}};
    } catch (const std::exception &exception) {
        // Nothing may escape a pool thread; the user sees the parse failure.
        logLine("PTX", std::string("Loading failed: ") + exception.what());
        return {std::nullopt, QString::fromStdString(PTXError::parseFailed().description())};
    }
}

void PTXDetailView::finishLoading()
{
    if (watcher_.future().resultCount() == 0)
        return;
    LoadOutcome outcome = watcher_.result();
    isLoading_ = false;
    if (outcome.session) {
        errorText_.clear();
        sessionInfo_ = std::move(outcome.session);
        showSession(*sessionInfo_);
    } else {
        sessionInfo_.reset();
        errorText_ = outcome.error;
        showError(errorText_);
    }
    emit loadFinished();
}

void PTXDetailView::showSession(const PTXSessionInfo &session)
{
    sessionName_->setText(QString::fromStdString(session.sessionName));
    trackCount_->setText(QString::number(session.tracks.size()));
    clipCount_->setText(QString::number(session.clipCount));
    audioFileCount_->setText(QString::number(session.audioFiles.size()));
    memoryLocationCount_->setText(QString::number(session.memoryLocations.size()));
    pages_->setCurrentWidget(sessionPage_);
}

void PTXDetailView::showError(const QString &message)
{
    errorMessage_->setText(message);
    pages_->setCurrentWidget(errorPage_);
}

QWidget *PTXDetailView::makeLoadingPage()
{
    auto *label = new QLabel(tr("Loading…"));
    label->setAlignment(Qt::AlignCenter);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QWidget *PTXDetailView::makeSessionPage()
{
    auto *page = new QWidget;
    sessionName_ = new QLabel;
    sessionName_->setFont(scaledFont(font(), 1.6, true));
    sessionName_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    trackCount_ = countLabel();
    clipCount_ = countLabel();
    audioFileCount_ = countLabel();
    memoryLocationCount_ = countLabel();

    auto *counts = new QFormLayout;
    counts->addRow(tr("Tracks"), trackCount_);
    counts->addRow(tr("Clips"), clipCount_);
    counts->addRow(tr("Audio Files"), audioFileCount_);
    counts->addRow(tr("Memory Locations"), memoryLocationCount_);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(sessionName_);
    layout->addLayout(counts);
    layout->addStretch();
    return page;
}

QWidget *PTXDetailView::makeErrorPage()
{
    auto *page = new QWidget;
    auto *icon = new QLabel;
    icon->setPixmap(warningTriangle(48, devicePixelRatioF()));
    icon->setAlignment(Qt::AlignCenter);
    auto *title = new QLabel(QStringLiteral("Error"));
    title->setFont(scaledFont(font(), 1.4, true));
    title->setAlignment(Qt::AlignCenter);
    errorMessage_ = new QLabel;
    errorMessage_->setAlignment(Qt::AlignCenter);
    errorMessage_->setWordWrap(true);
    errorMessage_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    errorMessage_->setForegroundRole(QPalette::PlaceholderText);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addStretch();
    layout->addWidget(icon);
    layout->addWidget(title);
    layout->addWidget(errorMessage_);
    layout->addStretch();
    return page;
}

} // namespace kestrix
