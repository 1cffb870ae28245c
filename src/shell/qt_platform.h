// The platform interface on Qt: QTimer, QUdpSocket, QTcpSocket and files under the program
// directory. Everything runs on the thread of the Qt event loop.
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>

#include "core/platform.h"

namespace fc {

class QtPlatform : public Platform {
public:
    // `programDir` is where relative file paths point (the settings file, recordings).
    explicit QtPlatform(QString programDir);

    std::unique_ptr<Timer> createTimer() override;
    std::unique_ptr<UdpSocket> createUdpSocket() override;
    std::unique_ptr<TcpSocket> createTcpSocket() override;
    std::unique_ptr<HttpClient> createHttpClient() override;
    void lookUpHost(const std::string& name,
                    std::function<void(const std::string& address)> answered) override;

    std::int64_t nowMs() const override;
    void beep() override;
    std::string localHostName() const override;

    bool fileExists(const std::string& path) const override;
    std::optional<std::string> readFile(const std::string& path) const override;
    bool writeFile(const std::string& path, const std::string& bytes) override;
    bool replaceFile(const std::string& path, const std::string& bytes) override;
    bool replacePrivateFile(const std::string& path, const std::string& bytes) override;
    bool appendFile(const std::string& path, const std::string& bytes) override;
    bool makeDirectory(const std::string& path) override;
    std::vector<std::string> listDirectory(const std::string& path,
                                           const std::string& suffix) const override;

    const QString& programDir() const { return programDir_; }

private:
    QString resolve(const std::string& path) const;
    static bool saveFile(const QString& path, const std::string& bytes, bool ownerOnly);
    QString programDir_;
    // Look-ups still running when the platform goes are never answered.
    QObject lookups_;
};

// The numeric form of an address as the logic compares it: IPv4 dotted for IPv4 and
// IPv4-mapped IPv6 addresses, the IPv6 text otherwise.
std::string numericAddress(const QHostAddress& address);

}  // namespace fc
