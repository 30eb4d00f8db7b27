#pragma once

// A small HTTP server on 127.0.0.1 for engine tests: it answers every GET with
// a page the test sets per path (or a short default page) and records each
// request's path and headers, so a test sees what the engine asked for.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

namespace enginetest {

class LocalServer
{
public:
    struct Request
    {
        QByteArray method;
        QString path;
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    LocalServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(&m_server);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
            }
        });
    }

    bool listening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    QString origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    QString url(const QString &path) const { return origin() + QLatin1Char('/') + path; }

    // The answer to GET /path; other paths get a small titled page.
    void setPage(const QString &path, const QByteArray &html, const QByteArray &contentType = "text/html; charset=utf-8")
    {
        m_pages.insert(QLatin1Char('/') + path, {html, contentType});
    }

    const QList<Request> &requests() const { return m_requests; }
    // Requests for path, in order ("favicon.ico" and the like included).
    QList<Request> requestsFor(const QString &path) const
    {
        QList<Request> out;
        for (const Request &r : m_requests) {
            if (r.path == QLatin1Char('/') + path)
                out << r;
        }
        return out;
    }

private:
    struct Page
    {
        QByteArray body;
        QByteArray contentType;
    };

    void serve(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffer.remove(0, end + 4);
        Request request;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.path = QString::fromUtf8(first.value(1));
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        m_requests << request;

        const Page page = m_pages.value(request.path, Page{"<html><head><title>served</title></head>"
                                                          "<body>served</body></html>",
                                                          "text/html; charset=utf-8"});
        QByteArray reply = "HTTP/1.1 200 OK\r\nContent-Type: " + page.contentType
                           + "\r\nContent-Length: " + QByteArray::number(page.body.size())
                           + "\r\nConnection: close\r\n\r\n" + page.body;
        socket->write(reply);
        socket->disconnectFromHost();
        m_buffers.remove(socket);
    }

    QTcpServer m_server;
    QHash<QString, Page> m_pages;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<Request> m_requests;
};

// A port on 127.0.0.1 where nothing listens (taken and released at once).
inline quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

} // namespace enginetest
