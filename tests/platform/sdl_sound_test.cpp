// The effects over SDL2_mixer on SDL's dummy audio driver: each effect loads from its own
// file, a missing or broken file leaves only that effect silent, and an effect sounds on
// its own channel so that the no-overlap rule can see it.
#include "platform/sdl_sound.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "resources/pak_fixture.h"
#include "sdl_env.h"

namespace tarrabel::test {
namespace {

// A quiet PCM WAV: 16-bit stereo at 22050 Hz, long enough to be still sounding when the
// test asks.
std::vector<uint8_t> SilentWav(uint32_t frames) {
    const uint32_t dataBytes = frames * 4;
    std::vector<uint8_t> w(44 + dataBytes, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            w[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    auto put16 = [&](size_t at, uint16_t v) {
        w[at] = uint8_t(v);
        w[at + 1] = uint8_t(v >> 8);
    };
    std::memcpy(&w[0], "RIFF", 4);
    put32(4, 36 + dataBytes);
    std::memcpy(&w[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);  // PCM
    put16(22, 2);
    put32(24, 22050);
    put32(28, 22050 * 4);
    put16(32, 4);
    put16(34, 16);
    std::memcpy(&w[36], "data", 4);
    put32(40, dataBytes);
    return w;
}

TEST(MixerEffects, EachEffectLoadsFromItsFileAndSoundsOnItsOwn) {
    ScopedEnv env;
    env.Set("SDL_AUDIODRIVER", "dummy");
    TempFolder tmp;
    WriteFile(tmp.Path() / "CARD_FLIP.WAV", SilentWav(22050 * 5));
    WriteFile(tmp.Path() / "SHUFFLE.WAV", SilentWav(22050 * 5));
    WriteFile(tmp.Path() / "SIGN1.WAV", Bytes("RIFF....WAVE but broken"));

    platform::MixerEffects effects;
    if (!effects.Open()) GTEST_SKIP() << "no dummy audio driver: " << SDL_GetError();
    effects.Load(tmp.Path().string());
    for (int i = 0; i < kSoundCount; ++i) {
        const SoundId id = SoundId(i);
        EXPECT_EQ(effects.Loaded(id), id == SoundId::CardFlip1 || id == SoundId::Shuffle)
            << kSoundFileNames[i];
    }

    platform::EffectSink sink;
    sink.SetVoices(&effects);
    sink.Play(SoundId::CardFlip1);
    sink.Play(SoundId::Sign1);  // broken file: silent, and nothing else breaks
    EXPECT_TRUE(effects.Playing(SoundId::CardFlip1));
    EXPECT_FALSE(effects.Playing(SoundId::Shuffle));
    EXPECT_FALSE(effects.Playing(SoundId::Sign1));
    sink.Play(SoundId::Shuffle);
    EXPECT_TRUE(effects.Playing(SoundId::CardFlip1));
    EXPECT_TRUE(effects.Playing(SoundId::Shuffle));

    effects.Release();
    EXPECT_FALSE(effects.Loaded(SoundId::CardFlip1));
    EXPECT_FALSE(effects.Playing(SoundId::CardFlip1));
    effects.Close();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}

}  // namespace
}  // namespace tarrabel::test
