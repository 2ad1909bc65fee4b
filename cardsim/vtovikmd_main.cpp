// vtovikmd: serves the simulated TOVIK card to every program of this user over a local socket.
//   vtovikmd [--disc IMAGE.json] [--latency MS] [--no-card]
#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef TOVIK_SYSTEMD_NOTIFY
#include <systemd/sd-daemon.h>
#endif

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "cardsim/daemon_protocol.h"
#include "cardsim/vtovikmd_server.h"
#include "platform/command_line.h"

namespace {

constexpr const char* kUsage =
    "usage: vtovikmd [--disc IMAGE.json] [--latency MS] [--no-card]\n"
    "       vtovikmd --help | --version\n"
    "Serves the simulated TOVIK card to this user's programs until SIGTERM or vtovikmd-ctl quit.\n"
    "  --disc IMAGE.json  start with this disc in the unit (default: no disc)\n"
    "  --latency MS       answer every request after MS milliseconds\n"
    "                     (default: status 15, command 40, name read 60, name write 250)\n"
    "  --no-card          start with the card removed (vtovikmd-ctl insert-card)\n"
    "The socket is $VTOVIKMD_SOCKET, else vtovikmd in $XDG_RUNTIME_DIR, else vtovikmd-<uid> in the\n"
    "temporary directory. Exit status: 0 stopped, 1 the disc image or the socket failed, 2 wrong\n"
    "arguments.\n";

// SIGTERM and SIGINT end the event loop normally, so the socket name is removed on the way out.
int signalPipe[2] = {-1, -1};
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] auto n = write(signalPipe[1], &byte, 1);
}
void quitOnSignals(QCoreApplication& app) {
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] { app.quit(); });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

int usage(const std::string& problem) {
    std::fprintf(stderr, "vtovikmd: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::string disc;
    long latency = -1;
    bool noCard = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (tovik::isHelpWord(arg)) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::puts(tovik::versionLine("vtovikmd").c_str());
            return 0;
        } else if (arg == "--disc" && i + 1 < argc) {
            disc = argv[++i];
        } else if (arg == "--latency" && i + 1 < argc) {
            char* end = nullptr;
            latency = std::strtol(argv[++i], &end, 10);
            if (!end || *end || latency < 0 || latency > 600'000)
                return usage("--latency takes milliseconds from 0 to 600000");
        } else if (arg == "--no-card") {
            noCard = true;
        } else {
            return usage("unknown argument \"" + arg + "\"");
        }
    }

    tovik::card::VtovikmdServer server;
    if (latency >= 0) server.service().latency().setAll(static_cast<unsigned>(latency));
    if (!disc.empty()) {
        std::ifstream file(disc, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "vtovikmd: cannot read the disc image %s\n", disc.c_str());
            return 1;
        }
        std::ostringstream text;
        text << file.rdbuf();
        tovik::card::DiscImageResult image = tovik::card::parseDiscImage(text.str());
        if (!image.disc) {
            std::fprintf(stderr, "vtovikmd: disc image %s rejected: %s\n", disc.c_str(), image.error.c_str());
            return 1;
        }
        server.service().unit().loadDisc(std::move(*image.disc));
    }
    if (noCard) server.service().unit().removeCard();

    const std::string name = tovik::card::daemonSocketName();
    if (std::string error = server.listen(name); !error.empty()) {
        std::fprintf(stderr, "vtovikmd: %s\n", error.c_str());
        return 1;
    }
    quitOnSignals(app);
    std::printf("vtovikmd: serving the card on %s\n", name.c_str());
    std::fflush(stdout);
#ifdef TOVIK_SYSTEMD_NOTIFY
    sd_notify(0, "READY=1");  // a systemd service is started once it listens; elsewhere nothing
#endif
    return app.exec();
}
