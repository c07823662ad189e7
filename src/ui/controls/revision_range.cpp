#include "ui/controls/revision_range.h"

RevisionRange clampRevisionRange(int start, int end, RangeEnd moved)
{
    if (start <= end)
        return {start, end};
    if (moved == RangeEnd::start)
        return {end, end};
    return {start, start};
}

int clampInterpolatedFocus(int focus, int start, int end)
{
    if (focus < start)
        focus = start;
    if (focus >= end)
        focus = end - 1;
    return focus;
}
