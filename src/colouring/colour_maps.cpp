#include "colouring/colour_maps.h"

#include <algorithm>
#include <cmath>

#include "app/globals.h"
#include "evolution/evolution_file.h"

const std::array<Rgb, 6> defaultStatusColours = {{
    {0.0f, 0.6f, 1.0f},  // constant
    {0.8f, 0.8f, 0.2f},  // modified
    {0.8f, 0.4f, 0.0f},  // replaced by deletion
    {0.2f, 0.8f, 0.2f},  // replaced by addition
    {0.8f, 1.0f, 1.0f},  // added
    {1.0f, 0.8f, 0.8f},  // deleted
}};

std::array<Rgb, 6> statusColours = defaultStatusColours;

const std::array<Rgb, 15> contentColours = {{
    {0.05f, 0.0f, 0.05f},  // plain
    {0.05f, 0.7f, 0.05f},  // comment
    {1.0f, 0.75f, 0.75f},  // string
    {0.95f, 0.95f, 0.0f},  // reference
    {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0},
    {0.6f, 0.8f, 1.0f},    // blocks, outermost first
    {0.55f, 0.75f, 0.95f},
    {0.5f, 0.7f, 0.9f},
    {0.45f, 0.65f, 0.85f},
    {0.4f, 0.6f, 0.8f},
}};

std::array<Rgb, 9> identifierColours = {{
    {0.0f, 0.5f, 1.0f},
    {1.0f, 0.0f, 0.0f},
    {0.0f, 1.0f, 0.0f},
    {1.0f, 0.0f, 1.0f},
    {0.0f, 1.0f, 1.0f},
    {1.0f, 1.0f, 0.0f},
    {1.0f, 0.5f, 0.0f},
    {0.5f, 1.0f, 0.25f},
    {0.2f, 0.8f, 0.5f},
}};

void reshuffleIdentifierColours()
{
    std::rotate(identifierColours.begin(), identifierColours.begin() + 1, identifierColours.end());
}

Rgb rainbowColour(float v)
{
    if (!(v >= 0.0f))  // also catches a value that is not a number
        v = 0.0f;
    if (v > 1.0f)
        v = 1.0f;
    const double t = static_cast<double>(v * 4.4f + 0.8f);
    const double r = std::max(0.0, (3.0 - std::fabs(t - 4.0) - std::fabs(t - 5.0)) / 2.0);
    const double g = std::max(0.0, (4.0 - std::fabs(t - 2.0) - std::fabs(t - 4.0)) / 2.0);
    const double b = std::max(0.0, (3.0 - std::fabs(t - 1.0) - std::fabs(t - 2.0)) / 2.0);
    return {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
}

Rgb mixStatusColours(const float weights[6], float total)
{
    Rgb sum = {0.0f, 0.0f, 0.0f};
    for (int s = 0; s < 6; ++s)
        for (int channel = 0; channel < 3; ++channel)
            sum[channel] += weights[s] * statusColours[s][channel];
    for (float& channel : sum)
        channel /= total;
    return sum;
}

float outOfRangeGrey(int status)
{
    const Rgb& c = statusColours[status];
    return (c[0] + c[1] + c[2]) * 0.16666667f + 0.5f;
}

Rgb authorColour(int author)
{
    if (author < 0)
        return {0.5f, 0.5f, 0.5f};
    return identifierColours[author % identifierColours.size()];
}

Rgb contentColour(int syntaxClass)
{
    if (syntaxClass < 0 || syntaxClass >= static_cast<int>(contentColours.size()))
        return {0.0f, 0.0f, 0.0f};
    return contentColours[syntaxClass];
}

void updateRowAuthor(int rowAuthors[], int row, int c)
{
    if (c <= 0)
        return;
    const EvolutionFile& e = *currentEvolution;
    const int now = e.status(row, c);
    const int before = e.status(row, c - 1);
    if (now == statusReplacedByDeletion || before == statusReplacedByAddition || before == statusAdded ||
        (before == statusModified && now == statusModified))
        rowAuthors[row] = e.revisionAuthorIndex(c);
}
