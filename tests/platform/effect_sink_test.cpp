// The game's sound rule: an effect still sounding is not restarted or doubled, different
// effects sound together, and a missing effect or a missing device stays silent.
#include "platform/effect_sink.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tarrabel::platform {
namespace {

// Voices whose effects sound until the test lets them finish.
class FakeVoices final : public EffectVoices {
  public:
    bool Loaded(SoundId id) const override { return missing.count(id) == 0; }
    bool Playing(SoundId id) const override { return sounding.count(id) != 0; }
    void Start(SoundId id) override {
        started.push_back(id);
        sounding.insert(id);
    }
    std::set<SoundId> missing, sounding;
    std::vector<SoundId> started;
};

TEST(EffectSink, AnEffectNeverOverlapsItselfWhileOthersSoundTogether) {
    FakeVoices voices;
    EffectSink sink;
    sink.SetVoices(&voices);
    sink.Play(SoundId::CardFlip1);
    sink.Play(SoundId::CardFlip1);  // still sounding: neither restarted nor doubled
    sink.Play(SoundId::CardFlip2);  // a different flip sounds along
    sink.Play(SoundId::Shuffle);
    voices.sounding.erase(SoundId::CardFlip1);
    sink.Play(SoundId::CardFlip1);  // finished: it may start again
    sink.Play(SoundId::CardFlip2);
    EXPECT_EQ(voices.started, (std::vector<SoundId>{SoundId::CardFlip1, SoundId::CardFlip2,
                                                    SoundId::Shuffle, SoundId::CardFlip1}));
}

TEST(EffectSink, MissingEffectsAndAMissingDeviceStaySilent) {
    FakeVoices voices;
    voices.missing = {SoundId::Intro};
    EffectSink sink;
    sink.Play(SoundId::WinGame);  // before any device: nothing to start, nothing breaks
    sink.SetVoices(&voices);
    sink.Play(SoundId::Intro);
    sink.Play(SoundId::LoseGame);
    sink.SetVoices(nullptr);
    sink.Play(SoundId::Sign1);
    EXPECT_EQ(voices.started, (std::vector<SoundId>{SoundId::LoseGame}));
}

}  // namespace
}  // namespace tarrabel::platform
