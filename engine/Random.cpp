#include "engine/Random.h"

#include <windows.h>

#include <time.h>

// Plain data with a constant initialiser: usable whatever the order of the
// process's static constructors.
MersenneTwister g_MersenneTwister;

namespace {

const unsigned kUpperMask = 0x80000000u;
const unsigned kLowerMask = 0x7fffffffu;
const unsigned kMatrix = 0x9908b0dfu;

// The current time as seconds since 1970 and the millisecond part.
void CurrentTime(unsigned long long& seconds, unsigned& milliseconds)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const unsigned long long kTicksTo1970 = 116444736000000000ULL;   // 100 ns steps from 1601
    unsigned long long sinceEpoch = ticks - kTicksTo1970;
    seconds = sinceEpoch / 10000000ULL;
    milliseconds = static_cast<unsigned>(sinceEpoch / 10000ULL % 1000ULL);
}

}  // namespace

void MersenneTwister::Seed(unsigned seed)
{
    m_state[0] = seed;
    for (unsigned i = 1; i < kWords; ++i)
        m_state[i] = 1812433253u * (m_state[i - 1] ^ (m_state[i - 1] >> 30)) + i;
    m_left = 1;
    m_seeded = true;
}

void MersenneTwister::Regenerate()
{
    if (!m_seeded)
        Seed(static_cast<unsigned>(time(nullptr)));
    for (int i = 0; i < kWords; ++i) {
        unsigned y = (m_state[i] & kUpperMask) | (m_state[(i + 1) % kWords] & kLowerMask);
        m_state[i] = m_state[(i + kOffset) % kWords] ^ (y >> 1) ^ ((y & 1u) ? kMatrix : 0u);
    }
    m_position = 0;
    m_left = kWords;
}

unsigned MersenneTwister::NextWord()
{
    if (--m_left <= 0)
        Regenerate();
    unsigned y = m_state[m_position++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9d2c5680u;
    y ^= (y << 15) & 0xefc60000u;
    y ^= y >> 18;
    return y;
}

double MersenneTwister::NextDouble()
{
    return NextWord() * (1.0 / 4294967296.0);
}

void SeedRandom()
{
    unsigned long long seconds;
    unsigned milliseconds;
    CurrentTime(seconds, milliseconds);
    g_MersenneTwister.Seed(static_cast<unsigned>(seconds) * milliseconds);
}
