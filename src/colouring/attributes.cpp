#include "colouring/attributes.h"

#include <cstdio>

#include "app/globals.h"
#include "evolution/evolution_file.h"

namespace {

std::string format(const char* pattern, int a, int b)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, a, b);
    return buffer;
}

}  // namespace

void Attribute::compute(unsigned count)
{
    valueList.resize(count, 0.0f);
}

std::string Attribute::describe(int index) const
{
    return format("Record no. %d", index, 0);
}

void normaliseValues(std::vector<float>& values)
{
    if (values.empty())
        return;
    float low = values[0], high = values[0];
    for (float v : values) {
        if (v < low)
            low = v;
        if (v > high)
            high = v;
    }
    const float range = high - low;
    if (!(range > 0.000001f))
        return;
    for (float& v : values)
        v = (v - low) / range;
}

void StatisticAttribute::compute(unsigned)
{
    const EvolutionFile* e = currentEvolution.get();
    valueList.clear();
    // An empty grid gives an empty series rather than a division by zero.
    if (kind == 0) {
        if (e && e->rowCount > 0) {
            // The rows' layout counted these, and the constant revisions
            // below, already.
            Attribute::compute(static_cast<unsigned>(e->columnCount));
            for (size_t r = 0; r < valueList.size() && r < e->presentRows.size(); ++r)
                valueList[r] = static_cast<float>(e->presentRows[r]) / static_cast<float>(e->rowCount);
        }
    } else if (kind == 1) {
        if (e && e->columnCount > 0) {
            Attribute::compute(static_cast<unsigned>(e->rowCount));
            for (size_t row = 0; row < valueList.size() && row < e->constantRevisions.size(); ++row)
                valueList[row] = static_cast<float>(e->constantRevisions[row]) / static_cast<float>(e->columnCount);
        }
    } else if (kind == 2) {
        valueList.assign(e ? static_cast<size_t>(e->maxRevisionLength) : 0, 0.2f);
    } else {
        valueList.assign(2, 0.0f);
    }
    if (normalised)
        normaliseValues(valueList);
}

std::string StatisticAttribute::describe(int index) const
{
    if (!inRange(index))
        return {};
    const EvolutionFile* e = currentEvolution.get();
    switch (kind) {
    case 0:
        return format("Number of lines for revision %d: %d", index,
                      e ? static_cast<int>(static_cast<float>(e->rowCount) * valueList[index]) : 0);
    case 1:
        return format("Number of unchanged revisions for line %d: %d", index,
                      e ? static_cast<int>(valueList[index] * static_cast<float>(e->columnCount)) : 0);
    case 2:
        return format("Record %d", index, 0);
    default:
        return {};
    }
}

void AuthorAttribute::compute(unsigned)
{
    const EvolutionFile* e = currentEvolution.get();
    valueList.clear();
    if (kind != 0) {
        valueList.assign(2, 0.0f);
        return;
    }
    if (!e)
        return;
    valueList.resize(static_cast<size_t>(e->columnCount));
    for (int r = 0; r < e->columnCount; ++r)
        valueList[r] = static_cast<float>(e->revisionAuthorIndex(r));
}

std::string AuthorAttribute::describe(int index) const
{
    const EvolutionFile* e = currentEvolution.get();
    if (!inRange(index) || !e || kind != 0)
        return {};
    return std::string("Author: ") + e->revisionAuthorName(index);
}

void recomputeAttributes(int layoutMode)
{
    for (Attribute* attribute : attributeRegistry)
        attribute->compute(0);
    if (layoutMode == modeNormal)
        lineStatistic->kind = 2;
}
