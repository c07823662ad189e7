#include "extract/libgit2_library.h"

#include <git2.h>

void useLibgit2()
{
    // Never shut down: the process ends with the library in use.
    static const int initialised = git_libgit2_init();
    (void)initialised;
}
