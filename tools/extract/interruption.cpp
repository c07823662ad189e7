#include "extract/interruption.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t interruptionArrived = 0;

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

bool interrupted()
{
    return interruptionArrived != 0;
}
