// A small synthesiser for the sound effects: stereo tracks at the game's 22050 Hz, tuned
// notes with harmonic partials, filtered noise, a little room reverb, and the conversion to
// 16-bit samples with a chosen peak level.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fixed_rng.h"

namespace tarrabel::art {

inline constexpr int kSampleRate = 22050;

struct Track {
    explicit Track(double seconds);
    size_t Frames() const { return left.size(); }
    // Adds a mono sample at a frame, placed by pan (-1 left .. 1 right, equal power).
    void Add(size_t frame, double value, double pan);
    std::vector<double> left, right;
};

// One partial of a note: frequency ratio to the fundamental, level, and how much faster than
// the note it dies away (1 = with the note).
struct Partial {
    double ratio, level, decayFactor = 1;
};

struct Voice {
    std::vector<Partial> partials;
    double attack = 0.005;                   // seconds to full level, shaped like a quarter sine
    double decay = 0.3;                      // seconds for the level to fall to 1/e
    double release = 0.03;                   // seconds of fade after the note's length
    double vibratoHz = 0, vibratoDepth = 0;  // depth as a fraction of the frequency
    double vibratoDelay = 0.15;              // seconds before the vibrato sets in
    double glide = 0;                        // pitch change over the note, as a fraction
};

// Adds one note starting at `start` seconds, lasting `length` seconds plus its release.
void AddNote(Track& track, const Voice& voice, double start, double frequency, double length,
             double level, double pan);

// Frequency of a note by its MIDI number (69 = A4 = 440 Hz).
double NoteHz(int midi);

// Second-order filter (RBJ cookbook), run one sample at a time.
class Biquad {
  public:
    static Biquad BandPass(double centreHz, double q);
    static Biquad LowPass(double cutoffHz, double q);
    static Biquad HighPass(double cutoffHz, double q);
    double Run(double x);

  private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// White noise in -1..1 from a fixed seed.
class Noise {
  public:
    explicit Noise(uint64_t seed) : rng_(seed) {}
    double Next() { return rng_.Range(-1, 1); }

  private:
    FixedRng rng_;
};

// A small, soft room (parallel combs into all-passes, a little different on each side),
// mixed in at `wet`.
void AddRoom(Track& track, double wet);

// Scales the track so its loudest sample reaches `peak` of full scale, fades the last few
// milliseconds to silence, and interleaves it as 16-bit samples.
std::vector<int16_t> ToPcm(const Track& track, double peak);

}  // namespace tarrabel::art
