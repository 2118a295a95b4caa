// A loopback HTTP server for the feedback tests: it records each request
// (method, path, headers, body) and gives the answer set for it, or none at
// all, keeping the connection open until the client gives up.
#ifndef KESTRIX_TESTS_FEEDBACK_RECORDING_HTTP_SERVER_H
#define KESTRIX_TESTS_FEEDBACK_RECORDING_HTTP_SERVER_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QTcpServer>

#include <optional>

struct RecordedRequest {
    QByteArray method;
    QByteArray path;
    QMap<QByteArray, QByteArray> headers;  // names in lower case
    QByteArray body;
};

class RecordingHttpServer : public QTcpServer {
    Q_OBJECT
public:
    explicit RecordingHttpServer(QObject *parent = nullptr);

    // Listens on 127.0.0.1 on a free port.
    bool start();
    QString baseAddress() const;

    // The answer to every request from now on; nothing for silence.
    void answerWith(int status, const QByteArray &body = {});
    void neverAnswer() { answer_.reset(); }

    const QList<RecordedRequest> &requests() const { return requests_; }
    int closedWithoutAnswer() const { return closedWithoutAnswer_; }

private:
    void readFrom(QTcpSocket *socket);

    struct Answer {
        int status;
        QByteArray body;
    };
    std::optional<Answer> answer_ = Answer{200, "{}"};
    QList<RecordedRequest> requests_;
    QMap<QTcpSocket *, QByteArray> pending_;
    int closedWithoutAnswer_ = 0;
};

#endif
