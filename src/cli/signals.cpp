#include "cli/signals.h"

#include <csignal>
#include <initializer_list>

namespace {
volatile std::sig_atomic_t Received = 0;

extern "C" void OnStopSignal(int Signal)
{
    if (Received != 0) {
        // The run did not end on the first one: the signal's default action now.
        std::signal(Signal, SIG_DFL);
        std::raise(Signal);
        return;
    }
    Received = Signal;
}
} // namespace

void InstallStopSignals()
{
    struct sigaction Action {};
    Action.sa_handler = OnStopSignal;
    sigemptyset(&Action.sa_mask);
    Action.sa_flags = SA_RESTART;
    for (int Signal : {SIGINT, SIGTERM, SIGXCPU})
        sigaction(Signal, &Action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

int ReceivedSignal()
{
    return Received;
}
