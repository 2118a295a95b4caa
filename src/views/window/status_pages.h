// What a file window shows while its session is read, and when it cannot be.
#ifndef KESTRIX_VIEWS_WINDOW_STATUS_PAGES_H
#define KESTRIX_VIEWS_WINDOW_STATUS_PAGES_H

#include <QWidget>

class QLabel;

namespace kestrix {

class LoadingPage : public QWidget {
    Q_OBJECT
public:
    explicit LoadingPage(QWidget *parent = nullptr);
};

// A red warning triangle, "Error" and the reason.
class ErrorPage : public QWidget {
    Q_OBJECT
public:
    explicit ErrorPage(QWidget *parent = nullptr);

    void setMessage(const QString &message);
    QString message() const;

private:
    QLabel *message_;
};

} // namespace kestrix

#endif
