// The marks the import dialogs draw: outcome and state symbols, and a
// spinner for the waits.
#ifndef KESTRIX_VIEWS_IMPORT_IMPORT_MARKS_H
#define KESTRIX_VIEWS_IMPORT_IMPORT_MARKS_H

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace kestrix {

enum class ImportMark { success, warning, failure, notConnected, download };

QPixmap importMarkPixmap(ImportMark mark, int size, qreal devicePixelRatio);

// A ring of fading spokes that turns while visible.
class ImportSpinner : public QWidget {
    Q_OBJECT
public:
    explicit ImportSpinner(int size, QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    int size_;
    int step_ = 0;
    QTimer timer_;
};

} // namespace kestrix

#endif
