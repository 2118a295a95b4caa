// The window of one session file. Its content is the file's detail view; the
// window reports the events the registry persists (moves, resizes, becoming
// the key window, closing).
#ifndef KESTRIX_APP_FILE_WINDOW_H
#define KESTRIX_APP_FILE_WINDOW_H

#include <QMainWindow>
#include <QString>

namespace kestrix {

class PTXDetailView;

class FileWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QSize kMinimumContentSize{240, 300};

    explicit FileWindow(const QString &filePath, QWidget *parent = nullptr);

    const QString &filePath() const { return filePath_; }
    PTXDetailView *detailView() const { return detailView_; }

signals:
    void frameChanged();
    void becameKey();
    void closing();

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QString filePath_;
    PTXDetailView *detailView_ = nullptr;
};

} // namespace kestrix

#endif
