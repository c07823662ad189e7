#include "evolution/line_status.h"

const std::array<const char*, lineStatusCount> lineStatusNames = {
    "constant", "modified", "replaced by deletion", "replaced by addition", "added", "deleted",
};
