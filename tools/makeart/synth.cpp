#include "synth.h"

#include <algorithm>
#include <cmath>

namespace tarrabel::art {

Track::Track(double seconds)
    : left(size_t(std::ceil(seconds * kSampleRate)), 0.0), right(left.size(), 0.0) {}

void Track::Add(size_t frame, double value, double pan) {
    if (frame >= left.size()) return;
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1) * M_PI / 4;
    left[frame] += value * std::cos(angle) * M_SQRT2;
    right[frame] += value * std::sin(angle) * M_SQRT2;
}

double NoteHz(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

void AddNote(Track& track, const Voice& voice, double start, double frequency, double length,
             double level, double pan) {
    const size_t first = size_t(std::lround(start * kSampleRate));
    const size_t frames = size_t((length + voice.release) * kSampleRate);
    std::vector<double> phase(voice.partials.size(), 0.0);
    for (size_t i = 0; i < frames; ++i) {
        const double t = double(i) / kSampleRate;
        double envelope = t < voice.attack ? std::sin(M_PI / 2 * t / voice.attack) : 1.0;
        if (t > length) envelope *= 0.5 * (1 + std::cos(M_PI * (t - length) / voice.release));
        double f = frequency * (1 + voice.glide * std::min(1.0, t / length));
        if (voice.vibratoDepth > 0 && t > voice.vibratoDelay) {
            const double grow = std::min(1.0, (t - voice.vibratoDelay) / 0.2);
            f *= 1 + voice.vibratoDepth * grow * std::sin(2 * M_PI * voice.vibratoHz * t);
        }
        double sum = 0;
        for (size_t p = 0; p < voice.partials.size(); ++p) {
            const Partial& partial = voice.partials[p];
            const double pf = f * partial.ratio;
            if (pf >= kSampleRate / 2.0) continue;
            phase[p] += 2 * M_PI * pf / kSampleRate;
            sum += partial.level * std::exp(-t * partial.decayFactor / voice.decay) *
                   std::sin(phase[p]);
        }
        track.Add(first + i, level * envelope * sum, pan);
    }
}

Biquad Biquad::BandPass(double centreHz, double q) {
    Biquad f;
    const double w = 2 * M_PI * centreHz / kSampleRate, alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    f.b0_ = alpha / a0, f.b1_ = 0, f.b2_ = -alpha / a0;
    f.a1_ = -2 * std::cos(w) / a0, f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::LowPass(double cutoffHz, double q) {
    Biquad f;
    const double w = 2 * M_PI * cutoffHz / kSampleRate, alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha, c = std::cos(w);
    f.b0_ = (1 - c) / 2 / a0, f.b1_ = (1 - c) / a0, f.b2_ = (1 - c) / 2 / a0;
    f.a1_ = -2 * c / a0, f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::HighPass(double cutoffHz, double q) {
    Biquad f;
    const double w = 2 * M_PI * cutoffHz / kSampleRate, alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha, c = std::cos(w);
    f.b0_ = (1 + c) / 2 / a0, f.b1_ = -(1 + c) / a0, f.b2_ = (1 + c) / 2 / a0;
    f.a1_ = -2 * c / a0, f.a2_ = (1 - alpha) / a0;
    return f;
}

double Biquad::Run(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
    return y;
}

namespace {

class Comb {
  public:
    Comb(size_t delay, double feedback, double damping)
        : buffer_(delay, 0.0), feedback_(feedback), damping_(damping) {}
    double Run(double x) {
        const double out = buffer_[pos_];
        store_ = out * (1 - damping_) + store_ * damping_;
        buffer_[pos_] = x + store_ * feedback_;
        pos_ = (pos_ + 1) % buffer_.size();
        return out;
    }

  private:
    std::vector<double> buffer_;
    double feedback_, damping_, store_ = 0;
    size_t pos_ = 0;
};

class AllPass {
  public:
    explicit AllPass(size_t delay) : buffer_(delay, 0.0) {}
    double Run(double x) {
        const double held = buffer_[pos_];
        const double out = held - x;
        buffer_[pos_] = x + held * 0.5;
        pos_ = (pos_ + 1) % buffer_.size();
        return out;
    }

  private:
    std::vector<double> buffer_;
    size_t pos_ = 0;
};

std::vector<double> Room(const std::vector<double>& dry, size_t spread) {
    // Delays in samples at 22050 Hz: a small room, about a third of a second of tail.
    const size_t combDelays[4] = {617, 683, 751, 809};
    const size_t allPassDelays[2] = {278, 111};
    std::vector<Comb> combs;
    for (size_t d : combDelays)
        combs.emplace_back(d + spread, 0.72, 0.3);
    std::vector<AllPass> allPasses;
    for (size_t d : allPassDelays)
        allPasses.emplace_back(d + spread / 2);
    std::vector<double> wet(dry.size());
    for (size_t i = 0; i < dry.size(); ++i) {
        double sum = 0;
        for (Comb& c : combs)
            sum += c.Run(dry[i] * 0.25);
        for (AllPass& a : allPasses)
            sum = a.Run(sum);
        wet[i] = sum;
    }
    return wet;
}

}  // namespace

void AddRoom(Track& track, double wet) {
    const std::vector<double> l = Room(track.left, 0), r = Room(track.right, 23);
    for (size_t i = 0; i < track.Frames(); ++i) {
        track.left[i] += wet * l[i];
        track.right[i] += wet * r[i];
    }
}

std::vector<int16_t> ToPcm(const Track& track, double peak) {
    double loudest = 1e-9;
    for (size_t i = 0; i < track.Frames(); ++i)
        loudest = std::max({loudest, std::abs(track.left[i]), std::abs(track.right[i])});
    const double gain = peak * 32767 / loudest;
    const size_t fade = std::min(track.Frames(), size_t(kSampleRate * 0.008));
    std::vector<int16_t> pcm(track.Frames() * 2);
    for (size_t i = 0; i < track.Frames(); ++i) {
        const size_t left = track.Frames() - i;
        const double tail = left <= fade ? double(left - 1) / fade : 1.0;
        pcm[2 * i] = int16_t(std::lround(track.left[i] * gain * tail));
        pcm[2 * i + 1] = int16_t(std::lround(track.right[i] * gain * tail));
    }
    return pcm;
}

}  // namespace tarrabel::art
