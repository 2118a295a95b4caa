#include "recording_http_server.h"

#include <QTcpSocket>

RecordingHttpServer::RecordingHttpServer(QObject *parent)
    : QTcpServer(parent)
{
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                if (pending_.remove(socket) > 0)
                    ++closedWithoutAnswer_;
                socket->deleteLater();
            });
        }
    });
}

bool RecordingHttpServer::start()
{
    return listen(QHostAddress::LocalHost, 0);
}

QString RecordingHttpServer::baseAddress() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(serverPort());
}

void RecordingHttpServer::answerWith(int status, const QByteArray &body)
{
    answer_ = Answer{status, body};
}

void RecordingHttpServer::readFrom(QTcpSocket *socket)
{
    QByteArray &buffer = pending_[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    RecordedRequest request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    const qsizetype length = request.headers.value("content-length").toLongLong();
    if (buffer.size() < headerEnd + 4 + length)
        return;
    request.body = buffer.mid(headerEnd + 4, length);
    requests_.append(request);
    if (!answer_)
        return;  // stays pending: the client's time-out or cancel ends it
    pending_.remove(socket);
    socket->write("HTTP/1.1 " + QByteArray::number(answer_->status) + " Answer\r\nContent-Type: application/json\r\n"
                  "Content-Length: " + QByteArray::number(answer_->body.size()) + "\r\nConnection: close\r\n\r\n"
                  + answer_->body);
    socket->disconnectFromHost();
}
