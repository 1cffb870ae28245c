// The fast sweep over 1000 Quake 3 servers on loopback, timed from its first query to the last
// row that an answer filled and to the end of the sweep; then quakestat -maxsim 20 -P over the
// same servers, timed from its start to its exit, with the rows both found compared.
//   build/release/bench/bench_fast_sweep [SERVERS]
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "browser/browser_actions.h"
#include "core/app.h"
#include "program/wiring.h"
#include "shell/qt_platform.h"

namespace {

// What quakestat asks first: the server's summary.
std::string infoReply(int port) {
    return "\xFF\xFF\xFF\xFFinfoResponse\n\\hostname\\Bench " + std::to_string(port) +
           "\\mapname\\q3dm" + std::to_string(port % 19) +
           "\\clients\\2\\sv_maxclients\\16\\protocol\\68";
}

std::string makeReply(int port) {
    return "\xFF\xFF\xFF\xFFstatusResponse\n\\sv_hostname\\Bench " + std::to_string(port) +
           "\\mapname\\q3dm" + std::to_string(port % 19) + "\\sv_maxclients\\16\\version\\ioq3\n" +
           "3 20 \"Ace\"\n1 40 \"Bob\"\n";
}

// Binds the responders in this process; a child answers on them while the parent measures.
std::vector<int> bindResponders(int count) {
    std::vector<int> sockets;
    for (int i = 0; i < count; ++i) {
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            std::perror("bind");
            std::exit(1);
        }
        sockets.push_back(fd);
    }
    return sockets;
}

int portOf(int fd) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}

// Answers "getstatus" and "getinfo" (with or without a line end) as a Quake 3 server does, until
// the parent goes, or two minutes pass.
[[noreturn]] void serve(const std::vector<int>& sockets, int parentPipe) {
    // epoll, so that a responder's cost does not grow with the number of servers.
    const int poller = ::epoll_create1(0);
    std::map<int, std::string> replies, infos;
    for (int fd : sockets) {
        replies[fd] = makeReply(portOf(fd));
        infos[fd] = infoReply(portOf(fd));
    }
    for (int fd : sockets) {
        epoll_event e{};
        e.events = EPOLLIN;
        e.data.fd = fd;
        ::epoll_ctl(poller, EPOLL_CTL_ADD, fd, &e);
    }
    epoll_event e{};
    e.events = EPOLLIN;
    e.data.fd = parentPipe;
    ::epoll_ctl(poller, EPOLL_CTL_ADD, parentPipe, &e);
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    char buffer[2048];
    epoll_event ready[64];
    while (std::chrono::steady_clock::now() < end) {
        const int n = ::epoll_wait(poller, ready, 64, 1000);
        if (n < 0) break;
        for (int i = 0; i < n; ++i) {
            const int fd = ready[i].data.fd;
            if (fd == parentPipe) std::_Exit(0);  // the parent closed its end
            sockaddr_in from{};
            socklen_t len = sizeof from;
            const ssize_t got =
                ::recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &len);
            const std::string query(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
            const bool status = query.rfind("\xFF\xFF\xFF\xFFgetstatus", 0) == 0;
            if (!status && query.rfind("\xFF\xFF\xFF\xFFgetinfo", 0) != 0) continue;
            const std::string& reply = (status ? replies : infos)[fd];
            ::sendto(fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
        }
    }
    std::_Exit(0);
}

struct Measure : fc::AppListener {
    explicit Measure(fc::App& a) : app(a) {}
    void browserStatusChanged(const std::string& text) override {
        if (!started && text.rfind("Pinging: ", 0) == 0) {
            started = true;
            clock.start();
        }
    }
    void browserRowChanged(const fc::ServerRow& row) override {
        if (started && row.name != "-") lastRowNs = clock.nsecsElapsed();
    }
    fc::App& app;
    QElapsedTimer clock;
    bool started = false;
    qint64 lastRowNs = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    rlimit files{};
    ::getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &files);

    const std::vector<int> sockets = bindResponders(count);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return 1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[1]);
        serve(sockets, pipeFds[0]);
    }
    ::close(pipeFds[0]);
    std::vector<int> ports;
    for (int fd : sockets) {
        ports.push_back(portOf(fd));
        ::close(fd);
    }

    QCoreApplication core(argc, argv);
    QTemporaryDir dir;
    fc::QtPlatform platform(dir.path());
    fc::WiredApp app(platform);
    Measure measure(app);
    app.addListener(&measure);
    app.settings.fastSweepOn = true;
    app.settings.masterServer = "127.0.0.1:1";  // never asked: the list is not empty
    for (int port : ports) app.settings.savedServers.push_back("127.0.0.1:" + std::to_string(port));
    qint64 endNs = 0;
    app.browserSweepEnded = [&] {
        endNs = measure.clock.nsecsElapsed();
        QCoreApplication::quit();
    };
    QTimer::singleShot(0, [&] {
        app.dispatch([&] {
            fc::openBrowser(app);
            fc::totalRefresh(app);
        });
    });
    QTimer::singleShot(60000, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();

    std::map<std::string, std::string> ours;  // server -> "name|map|players"
    for (const fc::ServerRow& r : app.browserView.serverRows) {
        if (r.name != "-") ours[r.server] = r.name + "|" + r.map + "|" + r.players;
    }
    std::printf(
        "fast sweep, %d loopback servers: %zu rows answered; first query to last row "
        "%.4f s, to the end of the sweep %.4f s\n",
        count, ours.size(), static_cast<double>(measure.lastRowNs) / 1e9,
        static_cast<double>(endNs) / 1e9);

    // quakestat over the same servers; -raw gives one line a server, its players after it.
    std::string list;
    for (int port : ports) list += "Q3S 127.0.0.1:" + std::to_string(port) + "\n";
    const QString listFile = dir.filePath("servers.txt");
    platform.writeFile("servers.txt", list);
    QProcess qstat;
    QElapsedTimer clock;
    clock.start();
    qstat.start("quakestat", {"-maxsim", "20", "-P", "-raw", "\t", "-f", listFile});
    if (!qstat.waitForFinished(60000)) {
        std::printf("quakestat did not run or end\n");
    } else {
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        std::map<std::string, std::string> theirs;
        for (const QByteArray& line : qstat.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> f = line.split('\t');
            // Q3S  address  name  map  max  players  ping  retries
            if (f.size() < 6 || f[0] != "Q3S") continue;
            theirs[f[1].toStdString()] = f[2].toStdString() + "|" + f[3].toStdString() + "|" +
                                         f[5].toStdString() + " / " + f[4].toStdString();
        }
        std::printf(
            "quakestat -maxsim 20 -P, same servers: %zu rows answered; start to exit "
            "%.4f s; rows %s\n",
            theirs.size(), seconds, theirs == ours ? "the same" : "DIFFER");
    }
    ::close(pipeFds[1]);
    ::waitpid(child, nullptr, 0);
    return 0;
}
