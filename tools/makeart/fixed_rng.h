// A small fixed-seed generator (SplitMix64) for the art's textures and the sounds' noise:
// the same seed gives the same numbers on every machine, so the art is the same every build.
#pragma once

#include <cstdint>

namespace tarrabel::art {

class FixedRng {
  public:
    explicit FixedRng(uint64_t seed) : s_(seed) {}
    uint64_t Bits() {
        uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Unit() { return double(Bits() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

  private:
    uint64_t s_;
};

}  // namespace tarrabel::art
