// One recent file in the start window: a document icon, the file name
// without extension and, below it, the folder the file is in. A click
// chooses it; the context menu reveals it in the file manager.
#ifndef KESTRIX_APP_RECENT_SESSION_ROW_H
#define KESTRIX_APP_RECENT_SESSION_ROW_H

#include <QWidget>

namespace kestrix {

class RecentSessionRow : public QWidget {
    Q_OBJECT
public:
    explicit RecentSessionRow(const QString &filePath, QWidget *parent = nullptr);

    const QString &filePath() const { return filePath_; }
    QSize sizeHint() const override;

signals:
    void chosen(const QString &filePath);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString filePath_;
    QString name_;
    QString folder_;
    bool hovered_ = false;
};

} // namespace kestrix

#endif
