#include "app/two_halves.h"

#include <system_error>
#include <thread>

Halves halvesOf(int first, int last, int smallest)
{
    const bool split = last - first + 1 >= smallest && std::thread::hardware_concurrency() > 1;
    return {first, split ? first + (last - first + 1) / 2 : last + 1, last};
}

void inTwoHalves(const Halves& halves, const std::function<void(int half, int from, int to)>& part)
{
    const bool second = halves.middle <= halves.last;
    std::thread helper;
    if (second) {
        try {
            helper = std::thread(part, 1, halves.middle, halves.last);
        } catch (const std::system_error&) {
            // No second thread: this one does both, one after the other.
        }
    }
    part(0, halves.first, halves.middle - 1);
    if (helper.joinable())
        helper.join();
    else if (second)
        part(1, halves.middle, halves.last);
}
