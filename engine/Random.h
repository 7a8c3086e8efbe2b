// The random numbers of the script language: the MT19937 generator, one for
// the process, drawn from only on the UI thread.
#pragma once

class MersenneTwister
{
public:
    // The standard MT19937 initialisation; the next draw regenerates.
    void Seed(unsigned seed);
    // The next value in [0, 1): one tempered 32-bit word times 2^-32. A draw
    // before any seeding seeds from the clock first.
    double NextDouble();
    // The next tempered 32-bit word.
    unsigned NextWord();

private:
    void Regenerate();

    enum { kWords = 624, kOffset = 397 };
    unsigned m_state[kWords] = {};
    int m_position = 0;
    int m_left = 1;          // words left before the next regeneration, plus one
    bool m_seeded = false;
};

extern MersenneTwister g_MersenneTwister;

// Seeds g_MersenneTwister from the clock when a script is prepared: the low
// 32 bits of the seconds since 1970 times the millisecond part (0-999).
void SeedRandom();
