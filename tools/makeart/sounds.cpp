// The ten sound effects, synthesised: card flips are short bursts of filtered noise, the signs
// soft chimes, the shuffle a riffle of many small clicks, and the three end-of-hand phrases
// little tunes on mallet, brass and reed voices. Every effect is scaled to a peak well under
// full scale, so nothing clips even when two play together.
#include <cmath>
#include <string>

#include "art.h"
#include "art_common.h"
#include "synth.h"

namespace tarrabel::art {

namespace {

// A card flip: a brief swish as the card moves, then the snap as it lands flat.
Track CardFlip(int variant) {
    const double length[3] = {0.075, 0.095, 0.115};
    const double snapHz[3] = {3200, 2500, 3900};
    const double snapDecay[3] = {0.011, 0.015, 0.019};
    const double swishLength[3] = {0.018, 0.026, 0.034};
    Track track(length[variant]);
    Noise common(0xF11Bu + variant), leftOwn(0xA1u + variant), rightOwn(0xB2u + variant);
    Biquad swishL = Biquad::BandPass(5200, 0.7), swishR = Biquad::BandPass(5200, 0.7);
    Biquad snapL = Biquad::BandPass(snapHz[variant], 0.9);
    Biquad snapR = Biquad::BandPass(snapHz[variant] * 1.06, 0.9);
    Biquad bodyL = Biquad::LowPass(500, 0.8), bodyR = Biquad::LowPass(500, 0.8);
    const double hit = swishLength[variant];
    for (size_t i = 0; i < track.Frames(); ++i) {
        const double t = double(i) / kSampleRate;
        const double c = common.Next();
        const double nl = 0.8 * c + 0.2 * leftOwn.Next(), nr = 0.8 * c + 0.2 * rightOwn.Next();
        // The swish swells until the card lands.
        const double swish =
            t < hit ? 0.35 * (t / hit) * (t / hit) : 0.35 * std::exp(-(t - hit) / 0.004);
        // The snap: sharp onset, fast decay, with a little low body from the table.
        double snap = 0;
        if (t >= hit) {
            const double u = t - hit;
            snap = std::min(1.0, u / 0.0012) * std::exp(-u / snapDecay[variant]);
        }
        const double l = swish * swishL.Run(nl) + snap * (snapL.Run(nl) + 0.8 * bodyL.Run(nl));
        const double r = swish * swishR.Run(nr) + snap * (snapR.Run(nr) + 0.8 * bodyR.Run(nr));
        track.left[i] += l;
        track.right[i] += r;
    }
    return track;
}

// A soft chime: a sine with a faint octave and a slow shimmer from a slightly detuned twin.
Track Sign(int variant) {
    const double length[3] = {0.16, 0.21, 0.26};
    const int note[3] = {81, 85, 88};  // A5, C#6, E6: an A major chord between them
    Voice chime;
    chime.partials = {{1, 1}, {1.0035, 0.35}, {2, 0.16, 2.2}, {3, 0.05, 3.5}};
    chime.attack = 0.006;
    chime.decay = length[variant] * 0.38;
    chime.release = 0.02;
    Track track(length[variant] + 0.03);
    AddNote(track, chime, 0.002, NoteHz(note[variant]), length[variant] - 0.02, 1.0,
            (variant - 1) * 0.15);
    AddRoom(track, 0.22);
    return track;
}

// A riffle: the two halves of the deck fall together card by card, slowly at first, quickest
// in the middle, slowing at the end, then the deck is squared with a soft knock.
Track Shuffle() {
    Track track(1.05);
    FixedRng rng(0x5AFF1Eu);
    Noise noise(0x7A11u);
    constexpr int kCards = 52;
    for (int k = 0; k < kCards; ++k) {
        const double u = (k + 0.5) / kCards;
        const double at = 0.04 + 0.78 * (u + 0.32 * std::sin(2 * M_PI * u) / (2 * M_PI)) +
                          rng.Range(-0.003, 0.003);
        const double level = rng.Range(0.45, 1.0) * (0.7 + 0.3 * std::sin(M_PI * u));
        const double pan = (k % 2 ? 0.35 : -0.35) + rng.Range(-0.1, 0.1);
        Biquad tick = Biquad::BandPass(rng.Range(2600, 4600), 1.3);
        Biquad flap = Biquad::LowPass(1400, 0.7);
        const size_t first = size_t(at * kSampleRate);
        const size_t frames = size_t(0.012 * kSampleRate);
        for (size_t i = 0; i < frames; ++i) {
            const double t = double(i) / kSampleRate;
            const double n = noise.Next();
            const double env = std::min(1.0, t / 0.0006) * std::exp(-t / 0.0022);
            track.Add(first + i, level * env * (tick.Run(n) + 0.5 * flap.Run(n)), pan);
        }
    }
    // The air of the riffle under the clicks.
    Biquad airL = Biquad::BandPass(2200, 0.5), airR = Biquad::BandPass(2400, 0.5);
    Noise airNoise(0xA1Eu);
    for (size_t i = 0; i < track.Frames(); ++i) {
        const double t = double(i) / kSampleRate;
        const double env = t < 0.04 || t > 0.84 ? 0.0 : 0.05 * std::sin(M_PI * (t - 0.04) / 0.8);
        track.left[i] += env * airL.Run(airNoise.Next());
        track.right[i] += env * airR.Run(airNoise.Next());
    }
    // Squaring the deck.
    Biquad knock = Biquad::LowPass(700, 0.9);
    const size_t knockAt = size_t(0.9 * kSampleRate);
    for (size_t i = 0; knockAt + i < track.Frames(); ++i) {
        const double t = double(i) / kSampleRate;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.022);
        const double thump = 0.5 * std::sin(2 * M_PI * 130 * t) + 2.5 * knock.Run(noise.Next());
        track.Add(knockAt + i, 0.16 * env * thump, 0);
    }
    return track;
}

// A wooden mallet: the fundamental and the bar's bright fourth harmonic that dies quickly.
Voice Mallet() {
    Voice v;
    v.partials = {{1, 1}, {2, 0.12, 1.6}, {4, 0.22, 4}, {10, 0.03, 9}};
    v.attack = 0.008;
    v.decay = 0.35;
    v.release = 0.08;
    return v;
}

// The end of a hand when the match goes on: G C E D C, the last note a warm C major chord.
Track Intro() {
    Track track(1.15);
    const Voice mallet = Mallet();
    const struct {
        double at;
        int note;
        double length, level, pan;
    } notes[] = {{0.00, 67, 0.14, 0.55, -0.2}, {0.13, 72, 0.14, 0.6, -0.1},
                 {0.26, 76, 0.16, 0.62, 0.0},  {0.42, 74, 0.16, 0.55, 0.1},
                 {0.58, 72, 0.45, 0.7, 0.0},   {0.58, 64, 0.45, 0.35, -0.25},
                 {0.58, 55, 0.45, 0.3, 0.25}};
    for (const auto& n : notes)
        AddNote(track, mallet, n.at, NoteHz(n.note), n.length, n.level, n.pan);
    AddRoom(track, 0.3);
    return track;
}

// A brassy voice: many harmonics whose upper ones fade first, so each note opens bright and
// mellows; a gentle vibrato on the held notes.
Voice Brass(double decay) {
    Voice v;
    for (int n = 1; n <= 8; ++n)
        v.partials.push_back({double(n), 1.0 / std::pow(n, 1.3), 1 + 0.6 * (n - 1)});
    v.attack = 0.018;
    v.decay = decay;
    v.release = 0.12;
    v.vibratoHz = 5.5;
    v.vibratoDepth = 0.004;
    v.vibratoDelay = 0.2;
    return v;
}

// Won the match: C E G rising quickly, then the high C over a full C major chord.
Track WinGame() {
    Track track(1.55);
    const Voice quick = Brass(0.25), held = Brass(0.9);
    AddNote(track, quick, 0.00, NoteHz(60), 0.10, 0.5, -0.25);
    AddNote(track, quick, 0.11, NoteHz(64), 0.10, 0.5, -0.1);
    AddNote(track, quick, 0.22, NoteHz(67), 0.10, 0.5, 0.1);
    AddNote(track, held, 0.34, NoteHz(72), 0.95, 0.6, 0.0);
    AddNote(track, held, 0.34, NoteHz(67), 0.95, 0.3, -0.3);
    AddNote(track, held, 0.34, NoteHz(64), 0.95, 0.3, 0.3);
    AddNote(track, held, 0.34, NoteHz(48), 0.95, 0.35, 0.0);
    AddRoom(track, 0.25);
    return track;
}

// Lost the match: a reed sighs down G, E flat, D to a low C that sags a little.
Track LoseGame() {
    Track track(1.25);
    Voice reed;
    reed.partials = {{1, 1}, {2, 0.08}, {3, 0.32, 1.5}, {5, 0.12, 2}, {7, 0.05, 3}};
    reed.attack = 0.03;
    reed.decay = 0.6;
    reed.release = 0.08;
    reed.vibratoHz = 4.5;
    reed.vibratoDepth = 0.003;
    reed.vibratoDelay = 0.1;
    AddNote(track, reed, 0.00, NoteHz(67), 0.20, 0.55, 0.15);
    AddNote(track, reed, 0.23, NoteHz(63), 0.20, 0.55, 0.05);
    AddNote(track, reed, 0.46, NoteHz(62), 0.20, 0.55, -0.05);
    Voice last = reed;
    last.glide = -0.02;
    last.decay = 0.5;
    last.release = 0.15;
    AddNote(track, last, 0.69, NoteHz(60), 0.38, 0.6, -0.1);
    AddNote(track, last, 0.69, NoteHz(48), 0.38, 0.25, 0.0);
    AddRoom(track, 0.28);
    return track;
}

}  // namespace

bool MakeSounds(const std::string& outDir, std::string* error) {
    const std::string dir = outDir + "/Sounds";
    if (!MakeFolder(dir, error)) return false;
    auto save = [&](const char* file, const Track& track, double peak) {
        return SaveWav(ToPcm(track, peak), dir + "/" + file, error);
    };
    return save("CARD_FLIP.WAV", CardFlip(0), 0.6) && save("CARD_FLIP2.WAV", CardFlip(1), 0.6) &&
           save("CARD_FLIP3.WAV", CardFlip(2), 0.6) && save("SIGN1.WAV", Sign(0), 0.45) &&
           save("SIGN2.WAV", Sign(1), 0.45) && save("SIGN3.WAV", Sign(2), 0.45) &&
           save("SHUFFLE.WAV", Shuffle(), 0.55) && save("INTRO.WAV", Intro(), 0.6) &&
           save("WIN_GAME.WAV", WinGame(), 0.7) && save("LOSE_GAME.WAV", LoseGame(), 0.6);
}

}  // namespace tarrabel::art
