// vtovikmd-ctl: drives the simulated card the way a person at the deck would.
#include <QCoreApplication>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cardsim/card_service.h"
#include "cardsim/daemon_protocol.h"
#include "cardsim/daemon_socket.h"
#include "platform/command_line.h"

namespace {

constexpr const char* kUsage =
    "usage: vtovikmd-ctl COMMAND   (vtovikmd-ctl --help | --version)\n"
    "  state                        the unit as JSON\n"
    "  load IMAGE.json              put this disc in the unit\n"
    "  eject                        take the disc out\n"
    "  remove-card | insert-card    pull or push the PC card\n"
    "  power on|off                 the unit's power\n"
    "  fault drop|fail|delay N [MS] [--kind model|status|meter|read|write]\n"
    "                               the next N answers (of that kind) are dropped, fail,\n"
    "                               or come MS milliseconds late (default 60000)\n"
    "  quit                         stop vtovikmd\n"
    "The socket is $VTOVIKMD_SOCKET, else vtovikmd in $XDG_RUNTIME_DIR, else vtovikmd-<uid> in the\n"
    "temporary directory. Exit status: 0 done, 1 vtovikmd is not running or refused the command,\n"
    "2 wrong arguments, or an image file that cannot be read or is larger than 1 MiB.\n";

constexpr int kTimeoutMs = 5000;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> words(argv + 1, argv + argc);
    // "--help" before any command or after one: the commands are few, so one usage serves.
    if (tovik::asksForHelp(words)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (words.size() == 1 && words[0] == "--version") {
        std::puts(tovik::versionLine("vtovikmd-ctl").c_str());
        return 0;
    }
    if (words.size() == 2 && words[0] == "load") {
        // The daemon gets the image's text: relative paths mean what they mean here.
        const std::string path = words[1];
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "vtovikmd-ctl: cannot read the disc image %s\n", path.c_str());
            return 2;
        }
        std::ostringstream text;
        text << file.rdbuf();
        words[1] = text.str();
        // The daemon takes no frame above its limit (it would only hang up).
        if (words[1].size() + 16 > tovik::card::wire::kMaxFrame) {
            std::fprintf(stderr, "vtovikmd-ctl: the disc image %s is larger than 1 MiB\n", path.c_str());
            return 2;
        }
    }
    tovik::card::ParsedControl parsed = tovik::card::parseControl(words);
    if (!parsed.command) {
        std::fprintf(stderr, "vtovikmd-ctl: %s\n%s", parsed.error.c_str(), kUsage);
        return 2;
    }

    const std::string name = tovik::card::daemonSocketName();
    tovik::qt::LocalStream socket;
    if (!socket.connectTo(name, QDeadlineTimer(kTimeoutMs))) {
        std::fprintf(stderr, "vtovikmd-ctl: vtovikmd is not running (nothing serves the socket %s)\n", name.c_str());
        return 1;
    }
    // A frame that cannot be sent in time closes the socket, and the wait below ends at once.
    tovik::card::sendFrame(socket, tovik::card::wire::controlFrame(words), QDeadlineTimer(kTimeoutMs));

    tovik::card::wire::FrameReader reader;
    const QDeadlineTimer deadline(kTimeoutMs);
    while (auto body = tovik::card::readFrame(socket, reader, deadline)) {
        auto reply = tovik::card::wire::readControlReply(*body);
        if (!reply) continue;  // an answer meant for devices; never sent to us, but harmless
        if (!reply->ok) {
            std::fprintf(stderr, "vtovikmd-ctl: %s\n", reply->text.c_str());
            return 1;
        }
        std::printf("%s\n", reply->text.c_str());
        return 0;
    }
    std::fprintf(stderr, "vtovikmd-ctl: vtovikmd did not answer\n");
    return 1;
}
