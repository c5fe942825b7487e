#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// SplitMix64 with unbiased bounded draws and its own shuffle, so the generated bank is the same
// on every platform and standard library (std::shuffle and the distributions are not).
class Prng
{
  public:
    explicit Prng(std::uint64_t nSeed) : m_nState(nSeed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (m_nState += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, n), n > 0: draws below 2^64 mod n are rejected so that no value is favoured.
    std::size_t Below(std::size_t n)
    {
        const std::uint64_t nBound = static_cast<std::uint64_t>(n);
        const std::uint64_t nThreshold = (0 - nBound) % nBound;
        for (;;) {
            std::uint64_t r = Next();
            if (r >= nThreshold)
                return static_cast<std::size_t>(r % nBound);
        }
    }

    template <typename T> void Shuffle(std::vector<T>& items)
    {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[Below(i)]);
    }

  private:
    std::uint64_t m_nState;
};
