#include "shell/qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkAccessManager>
#include <QNetworkDatagram>
#include <QNetworkReply>
#include <QPointer>
#include <QSaveFile>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>

namespace fc {

namespace {

QByteArray qtBytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}
std::string bytesText(const QByteArray& b) {
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

class QtTimer : public Timer {
public:
    QtTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (onTick) onTick();
        });
    }
    void setInterval(int ms) override { timer_.setInterval(ms); }
    int interval() const override { return timer_.interval(); }
    void setEnabled(bool on) override {
        // Enabling a running timer leaves its phase alone, as disabling a stopped one does.
        if (on && !timer_.isActive()) timer_.start();
        if (!on) timer_.stop();
    }
    bool enabled() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

class QtUdpSocket : public UdpSocket {
public:
    QtUdpSocket() {
        socket_.bind(QHostAddress::AnyIPv4, 0);
        QObject::connect(&socket_, &QUdpSocket::readyRead, [this] { readAll(); });
    }

    void setRemote(const std::string& host, const std::string& address, int port) override {
        host_ = host;
        port_ = port;
        if (!address_.setAddress(QString::fromLatin1(address.c_str()))) address_ = QHostAddress();
        if (address_.protocol() == QAbstractSocket::IPv6Protocol &&
            socket_.localAddress().protocol() != QAbstractSocket::IPv6Protocol) {
            socket_.close();
            socket_.bind(QHostAddress::AnyIPv6, 0);
        }
    }
    std::string remoteHost() const override { return host_; }
    int remotePort() const override { return port_; }
    std::string remoteAddress() const override {
        return address_.isNull() ? std::string() : numericAddress(address_);
    }
    bool send(const std::string& bytes) override {
        if (address_.isNull() || port_ <= 0 || port_ > 65535) return false;
        return socket_.writeDatagram(qtBytes(bytes), address_, static_cast<quint16>(port_)) >= 0;
    }

private:
    void readAll() {
        while (socket_.hasPendingDatagrams()) {
            const QNetworkDatagram d = socket_.receiveDatagram();
            if (!onDatagram) continue;
            // A datagram that could not be read (an ICMP error on some systems) carries no
            // sender; it is not a reply.
            if (d.senderAddress().isNull()) continue;
            onDatagram(
                Datagram{bytesText(d.data()), numericAddress(d.senderAddress()), d.senderPort()});
        }
    }

    QUdpSocket socket_;
    std::string host_;
    QHostAddress address_;
    int port_ = 0;
};

// Qt's socket states map onto the ten codes as follows:
//   UnconnectedState 0 closed, BoundState 1 open, ListeningState 2 listening,
//   HostLookupState 4 resolving host, ConnectingState 6 connecting,
//   ConnectedState 7 connected, ClosingState 8 closing.
// Qt has no states for 3 (connection pending) and 5 (host resolved), so they never occur.
// Two codes come from what happened rather than from Qt's state, since Qt is unconnected in
// both cases: after the far end closed the connection the socket reads 8 (closing) until the
// logic closes it, and after a failed connect or a broken connection (host not found, refused,
// timed out, network error) it reads 9 (error) until the next connect or close.
SocketState mapState(QAbstractSocket::SocketState s) {
    switch (s) {
        case QAbstractSocket::UnconnectedState:
            return SocketState::Closed;
        case QAbstractSocket::HostLookupState:
            return SocketState::ResolvingHost;
        case QAbstractSocket::ConnectingState:
            return SocketState::Connecting;
        case QAbstractSocket::ConnectedState:
            return SocketState::Connected;
        case QAbstractSocket::BoundState:
            return SocketState::Open;
        case QAbstractSocket::ListeningState:
            return SocketState::Listening;
        case QAbstractSocket::ClosingState:
            return SocketState::Closing;
    }
    return SocketState::Error;
}

class QtTcpSocket : public TcpSocket {
public:
    QtTcpSocket() {
        QObject::connect(&socket_, &QSslSocket::connected, [this] {
            ended_ = Ended::No;
            // Lines go out as soon as they are written, not bundled with the next one.
            socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
            if (!tls_.on && onConnected) onConnected();
        });
        QObject::connect(&socket_, &QSslSocket::encrypted, [this] {
            if (onConnected) onConnected();
        });
        QObject::connect(&socket_, &QSslSocket::sslErrors, [this](const QList<QSslError>& errors) {
            if (tls_.insecure) {
                socket_.ignoreSslErrors();
                return;
            }
            tlsProblem_.clear();
            for (const QSslError& e : errors) {
                if (!tlsProblem_.empty()) tlsProblem_ += "; ";
                tlsProblem_ += e.errorString().toStdString();
            }
        });
        QObject::connect(&socket_, &QSslSocket::readyRead, [this] {
            const std::string bytes = bytesText(socket_.readAll());
            if (onData && !bytes.empty()) onData(bytes);
        });
        QObject::connect(&socket_, &QSslSocket::disconnected, [this] {
            if (closing_ || ended_ == Ended::Failed) return;
            if (ended_ == Ended::No) ended_ = Ended::ByPeer;
            if (onClosed) onClosed();
        });
        QObject::connect(
            &socket_, &QSslSocket::errorOccurred, [this](QAbstractSocket::SocketError error) {
                if (closing_) return;
                if (error == QAbstractSocket::SslHandshakeFailedError ||
                    error == QAbstractSocket::SslInternalError ||
                    error == QAbstractSocket::SslInvalidUserDataError) {
                    ended_ = Ended::Failed;
                    const std::string why =
                        tlsProblem_.empty() ? socket_.errorString().toStdString() : tlsProblem_;
                    if (onTlsError) onTlsError(why);
                    return;
                }
                // The far end closing is no failure: `disconnected` follows and says it.
                if (error == QAbstractSocket::RemoteHostClosedError) {
                    ended_ = Ended::ByPeer;
                    return;
                }
                ended_ = Ended::Failed;
                if (onError) onError(socket_.errorString().toStdString());
            });
    }
    // The socket says goodbye while it is destroyed; nobody is left to hear it.
    ~QtTcpSocket() override { QObject::disconnect(&socket_, nullptr, nullptr, nullptr); }
    void setTls(TlsMode mode) override { tls_ = mode; }
    void connectToHost(const std::string& host, int port) override {
        close();
        tlsProblem_.clear();
        const QString name = QString::fromLatin1(host.c_str());
        if (tls_.on) {
            socket_.connectToHostEncrypted(name, static_cast<quint16>(port));
        } else {
            socket_.connectToHost(name, static_cast<quint16>(port));
        }
    }
    // Without a connection the bytes go nowhere, as on a socket the far end has closed.
    void send(const std::string& bytes) override {
        if (!socket_.isOpen()) return;
        socket_.write(qtBytes(bytes));
        socket_.flush();
    }
    // Whatever was sent still leaves (a QUIT must reach the server), then the socket is reset.
    // Closing is the logic's own doing: it raises no closed or error event.
    void close() override {
        closing_ = true;
        if (socket_.state() == QAbstractSocket::ConnectedState) {
            socket_.flush();
            socket_.disconnectFromHost();
        }
        socket_.abort();
        closing_ = false;
        ended_ = Ended::No;
    }
    SocketState state() const override {
        if (socket_.state() == QAbstractSocket::UnconnectedState) {
            if (ended_ == Ended::ByPeer) return SocketState::Closing;
            if (ended_ == Ended::Failed) return SocketState::Error;
        }
        // Until the handshake is done no line may leave in clear.
        if (tls_.on && socket_.state() == QAbstractSocket::ConnectedState && !socket_.isEncrypted())
            return SocketState::Connecting;
        return mapState(socket_.state());
    }
    std::string localAddress() const override { return numericAddress(socket_.localAddress()); }

private:
    enum class Ended { No, ByPeer, Failed };
    QSslSocket socket_;
    TlsMode tls_;
    std::string tlsProblem_;
    Ended ended_ = Ended::No;
    bool closing_ = false;
};

}  // namespace

std::string numericAddress(const QHostAddress& address) {
    if (address.isNull()) return {};
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4) return QHostAddress(v4).toString().toStdString();
    return address.toString().toStdString();
}

QtPlatform::QtPlatform(QString programDir) : programDir_(std::move(programDir)) {}

std::unique_ptr<Timer> QtPlatform::createTimer() {
    return std::make_unique<QtTimer>();
}
std::unique_ptr<UdpSocket> QtPlatform::createUdpSocket() {
    return std::make_unique<QtUdpSocket>();
}
std::unique_ptr<TcpSocket> QtPlatform::createTcpSocket() {
    return std::make_unique<QtTcpSocket>();
}

namespace {

// Posts through Qt's network access: TLS checks the certificate against the system's store,
// and a failed check fails the request. Qt's own error texts quote the address, which holds a
// secret: the answer names the fault in words of its own instead.
class QtHttpClient : public HttpClient {
public:
    ~QtHttpClient() override {
        if (reply_) {
            reply_->disconnect();
            reply_->abort();
        }
    }
    void post(const std::string& url, const std::string& contentType, const std::string& body,
              int timeoutMs) override {
        QNetworkRequest request(QUrl(QString::fromStdString(url)));
        request.setHeader(QNetworkRequest::ContentTypeHeader, qtBytes(contentType));
        request.setTransferTimeout(timeoutMs);
        reply_ = manager_.post(request, qtBytes(body));
        auto tlsFaults = std::make_shared<QStringList>();
        QObject::connect(reply_, &QNetworkReply::sslErrors, &manager_,
                         [tlsFaults](const QList<QSslError>& errors) {
                             for (const QSslError& e : errors) *tlsFaults << e.errorString();
                         });
        QObject::connect(reply_, &QNetworkReply::finished, &manager_, [this, tlsFaults] {
            QNetworkReply* reply = reply_;
            reply_ = nullptr;
            reply->deleteLater();
            HttpAnswer answer;
            answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            for (const auto& [name, value] : reply->rawHeaderPairs())
                answer.headers.emplace_back(bytesText(name.toLower()), bytesText(value));
            answer.body = bytesText(reply->readAll());
            if (answer.status == 0) answer.error = faultText(reply->error(), *tlsFaults);
            if (onAnswer) onAnswer(answer);
        });
    }

private:
    static std::string faultText(QNetworkReply::NetworkError error, const QStringList& tls) {
        switch (error) {
            case QNetworkReply::ConnectionRefusedError:
                return "connection refused";
            case QNetworkReply::HostNotFoundError:
                return "host not found";
            case QNetworkReply::TimeoutError:
            case QNetworkReply::OperationCanceledError:
                return "no answer in time";
            case QNetworkReply::RemoteHostClosedError:
                return "connection closed";
            case QNetworkReply::ProtocolUnknownError:
                return "not an http or https address";
            case QNetworkReply::SslHandshakeFailedError:
                return tls.isEmpty() ? "TLS failure"
                                     : ("TLS failure: " + tls.join("; ")).toStdString();
            default:
                return "network error " + std::to_string(static_cast<int>(error));
        }
    }
    QNetworkAccessManager manager_;
    QNetworkReply* reply_ = nullptr;
};

}  // namespace

std::unique_ptr<HttpClient> QtPlatform::createHttpClient() {
    return std::make_unique<QtHttpClient>();
}

std::int64_t QtPlatform::nowMs() const {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

void QtPlatform::lookUpHost(const std::string& name,
                            std::function<void(const std::string& address)> answered) {
    const QString text = QString::fromLatin1(name.c_str());
    // A numeric address is its own answer; asking the resolver would look its name up instead.
    if (const QHostAddress numeric(text); !numeric.isNull()) {
        QTimer::singleShot(0, &lookups_,
                           [answered, address = numericAddress(numeric)] { answered(address); });
        return;
    }
    if (name.empty()) {
        QTimer::singleShot(0, &lookups_, [answered] { answered(""); });
        return;
    }
    QHostInfo::lookupHost(text, &lookups_, [answered](const QHostInfo& info) {
        const QList<QHostAddress> found = info.addresses();
        const auto v4 = std::find_if(found.begin(), found.end(), [](const QHostAddress& a) {
            return a.protocol() == QAbstractSocket::IPv4Protocol;
        });
        if (v4 != found.end()) return answered(numericAddress(*v4));
        answered(found.isEmpty() ? std::string() : numericAddress(found.front()));
    });
}

void QtPlatform::beep() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

std::string QtPlatform::localHostName() const {
    return QHostInfo::localHostName().toStdString();
}

QString QtPlatform::resolve(const std::string& path) const {
    const QString p = QString::fromLocal8Bit(path.c_str());
    return QDir::isAbsolutePath(p) ? p : QDir(programDir_).filePath(p);
}

bool QtPlatform::fileExists(const std::string& path) const {
    return QFile::exists(resolve(path));
}

std::optional<std::string> QtPlatform::readFile(const std::string& path) const {
    QFile f(resolve(path));
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return bytesText(f.readAll());
}

bool QtPlatform::writeFile(const std::string& path, const std::string& bytes) {
    QFile f(resolve(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(qtBytes(bytes)) == static_cast<qint64>(bytes.size());
}

bool QtPlatform::replaceFile(const std::string& path, const std::string& bytes) {
    return saveFile(resolve(path), bytes, false);
}

bool QtPlatform::replacePrivateFile(const std::string& path, const std::string& bytes) {
    return saveFile(resolve(path), bytes, true);
}

bool QtPlatform::saveFile(const QString& path, const std::string& bytes, bool ownerOnly) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    // The new file is made private before it holds a byte; it keeps that when it takes the old
    // one's place.
    if (ownerOnly && !f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        f.cancelWriting();
        return false;
    }
    if (f.write(qtBytes(bytes)) != static_cast<qint64>(bytes.size())) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool QtPlatform::appendFile(const std::string& path, const std::string& bytes) {
    QFile f(resolve(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    return f.write(qtBytes(bytes)) == static_cast<qint64>(bytes.size());
}

bool QtPlatform::makeDirectory(const std::string& path) {
    return QDir().mkpath(resolve(path));
}

std::vector<std::string> QtPlatform::listDirectory(const std::string& path,
                                                   const std::string& suffix) const {
    std::vector<std::string> names;
    const QDir dir(resolve(path));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        const std::string n = name.toLocal8Bit().toStdString();
        if (n.size() >= suffix.size() &&
            n.compare(n.size() - suffix.size(), suffix.size(), suffix) == 0) {
            names.push_back(n);
        }
    }
    return names;
}

}  // namespace fc
