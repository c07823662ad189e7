#pragma once
// Attributes: series of values, one per shown row or one per revision, that
// the colour legends show and describe.

#include <string>
#include <vector>

class Attribute {
public:
    Attribute() = default;
    virtual ~Attribute() = default;

    std::vector<float> valueList;
    int normalised = 1;
    int kind = 0;

    // The base version only resizes the series, new entries 0.
    virtual void compute(unsigned count);
    const float* values() const { return valueList.data(); }
    int count() const { return static_cast<int>(valueList.size()); }
    // One line about entry `index`; empty for an index outside the series.
    virtual std::string describe(int index) const;

protected:
    bool inRange(int index) const { return index >= 0 && index < count(); }
};

// Statistics of the current evolution; `kind` chooses which:
// 0 lines per revision, 1 unchanged revisions per row, 2 uniform rows.
class StatisticAttribute : public Attribute {
public:
    StatisticAttribute() { kind = 3; }
    void compute(unsigned count) override;
    std::string describe(int index) const override;
};

// The author number of every revision, never normalised.
class AuthorAttribute : public Attribute {
public:
    AuthorAttribute() { kind = 0; }
    void compute(unsigned count) override;
    std::string describe(int index) const override;
};

// Rescales a series to 0..1; a constant series is left as it is.
void normaliseValues(std::vector<float>& values);

// Recomputes every attribute of the registry for the evolution view's
// layout mode.
void recomputeAttributes(int layoutMode);
