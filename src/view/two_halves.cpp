#include "view/two_halves.h"

#include <system_error>
#include <thread>

void inTwoHalves(int first, int last, int smallest, const std::function<void(int half, int from, int to)>& part)
{
    std::thread helper;
    int end = last;
    if (last - first + 1 >= smallest && std::thread::hardware_concurrency() > 1) {
        const int middle = first + (last - first + 1) / 2;
        try {
            helper = std::thread(part, 1, middle, last);
            end = middle - 1;
        } catch (const std::system_error&) {
            // No second thread: this one does it all.
        }
    }
    part(0, first, end);
    if (helper.joinable())
        helper.join();
}
