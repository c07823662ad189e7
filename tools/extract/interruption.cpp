#include "extract/interruption.h"

#include <atomic>
#include <csignal>

namespace {

// Lock-free, so that the signal handler may set it as well as other threads.
std::atomic<int> interruptionArrived{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void noteInterruption(int)
{
    interruptionArrived = 1;
}

}  // namespace

void catchInterruptions()
{
    std::signal(SIGINT, noteInterruption);
    std::signal(SIGTERM, noteInterruption);
}

void requestInterruption()
{
    interruptionArrived = 1;
}

void clearInterruption()
{
    interruptionArrived = 0;
}

bool interrupted()
{
    return interruptionArrived != 0;
}
