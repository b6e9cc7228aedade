#pragma once

#include <QtGlobal>

// A tiny deterministic generator (xorshift64*). The synthetic projects must be
// byte-identical for a given seed on every machine and library version, which
// rules out std::random_device and the unspecified distributions of <random>.
class Xorshift
{
public:
    explicit Xorshift(quint64 seed) : m_state(Mix(seed)) {}

    // Seeds a generator for one item of a stream, so each page's content
    // depends only on the seed and the page's number, not on what came before.
    Xorshift(quint64 seed, quint64 stream) : m_state(Mix(Mix(seed) ^ (stream * 0xD1B54A32D192ED03ull))) {}

    quint64 Next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1Dull;
    }

    // Uniform enough in [0, bound) for bound well below 2^32; 0 when bound <= 0.
    int Below(int bound)
    {
        if (bound <= 0)
            return 0;
        return int((Next() >> 32) % quint64(bound));
    }

    // Inclusive range [low, high].
    int Between(int low, int high) { return low + Below(high - low + 1); }

    // True with the given chance in percent.
    bool Chance(int percent) { return Below(100) < percent; }

private:
    // splitmix64 finaliser: spreads small seeds (0, 1, 2...) over the state and
    // never leaves the all-zero state xorshift cannot leave.
    static quint64 Mix(quint64 x)
    {
        x += 0x9E3779B97F4A7C15ull;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
        x ^= x >> 31;
        return x ? x : 0x9E3779B97F4A7C15ull;
    }

    quint64 m_state;
};
