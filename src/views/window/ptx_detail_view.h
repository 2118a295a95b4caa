// The content of a file window. It reads the session on a background thread
// and shows the session's name and what it holds, or, when the file cannot
// be read, "Error" with the reason. The window stays responsive throughout.
#ifndef KESTRIX_VIEWS_WINDOW_PTX_DETAIL_VIEW_H
#define KESTRIX_VIEWS_WINDOW_PTX_DETAIL_VIEW_H

#include "session_info.h"

#include <QFutureWatcher>
#include <QString>
#include <QWidget>

#include <optional>

class QLabel;
class QStackedWidget;

namespace kestrix {

class PTXDetailView : public QWidget {
    Q_OBJECT
public:
    // Starts loading the file right away.
    explicit PTXDetailView(const QString &filePath, QWidget *parent = nullptr);

    bool isLoading() const { return isLoading_; }
    // Present once the session was read.
    const std::optional<PTXSessionInfo> &sessionInfo() const { return sessionInfo_; }
    // Why the last load failed; empty otherwise.
    const QString &errorText() const { return errorText_; }

public slots:
    // Reads the file again; a load still running is superseded.
    void reload();

signals:
    void loadFinished();

private:
    struct LoadOutcome {
        std::optional<PTXSessionInfo> session;
        QString error;
    };
    static LoadOutcome load(const QString &filePath);

    void finishLoading();
    void showSession(const PTXSessionInfo &session);
    void showError(const QString &message);
    QWidget *makeLoadingPage();
    QWidget *makeSessionPage();
    QWidget *makeErrorPage();

    QString filePath_;
    bool isLoading_ = false;
    std::optional<PTXSessionInfo> sessionInfo_;
    QString errorText_;

    QFutureWatcher<LoadOutcome> watcher_;
    QStackedWidget *pages_ = nullptr;
    QWidget *loadingPage_ = nullptr;
    QWidget *sessionPage_ = nullptr;
    QWidget *errorPage_ = nullptr;
    QLabel *sessionName_ = nullptr;
    QLabel *trackCount_ = nullptr;
    QLabel *clipCount_ = nullptr;
    QLabel *audioFileCount_ = nullptr;
    QLabel *memoryLocationCount_ = nullptr;
    QLabel *errorMessage_ = nullptr;
};

} // namespace kestrix

#endif
