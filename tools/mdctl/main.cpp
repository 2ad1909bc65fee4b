// mdctl: the deck from the command line, on the same link code as Rotela.
#include <QCoreApplication>

#include <csignal>
#include <iostream>

#include "cardsim/daemon_driver.h"
#include "resources/strings.h"
#include "tools/mdctl/console_host.h"
#include "tools/mdctl/mdctl_commands.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onSignal(int) { interrupted = 1; }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tovik::mdctl::ConsoleHost host("mdctl", tovik::resources::rotelaStrings());
    auto driver = tovik::card::makeDaemonCardDriver(host);

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    tovik::mdctl::Environment env{host, *driver, tovik::mdctl::waitForEvents};
    if (const char* timeout = std::getenv("MDCTL_TIMEOUT_MS")) {
        const long ms = std::atol(timeout);
        if (ms > 0) env.timeoutMs = static_cast<unsigned>(ms);
    }
    env.interrupted = [] { return interrupted != 0; };

    const auto table = tovik::mdctl::subcommands(env);
    return tovik::mdctl::dispatch(table, std::vector<std::string>(argv + 1, argv + argc), std::cin,
                                  std::cout, std::cerr);
}
