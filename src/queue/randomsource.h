#pragma once

#include <random>

namespace orvane {

// The program's pseudo-random generator: seeded once, drawn from by Randomise.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // Seeds the generator from the clock.
    virtual void seedFromClock() = 0;
    // The next draw r, with 0 <= r < 1.
    virtual float next() = 0;
};

// A Mersenne Twister seeded from the clock.
class ClockSeededRandom : public RandomSource
{
public:
    void seedFromClock() override;
    float next() override;

private:
    std::mt19937 m_engine;
};

} // namespace orvane
