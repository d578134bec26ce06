// The ten effects over SDL2_mixer: one mixing channel per effect, so that an effect's own
// channel tells whether it is still sounding.
#pragma once

#include <string>

#include "platform/effect_sink.h"

struct Mix_Chunk;

namespace tarrabel::platform {

class MixerEffects final : public EffectVoices {
  public:
    MixerEffects() = default;
    MixerEffects(const MixerEffects&) = delete;
    MixerEffects& operator=(const MixerEffects&) = delete;
    ~MixerEffects() override { Close(); }

    // Opens the audio device; answers false (and stays silent) when there is none.
    bool Open();
    bool IsOpen() const { return open_; }
    // Loads every effect from the folder; a file that is missing or unreadable leaves that
    // effect silent.
    void Load(const std::string& folder);
    void Release();
    void Close();

    bool Loaded(SoundId id) const override;
    bool Playing(SoundId id) const override;
    void Start(SoundId id) override;

  private:
    bool open_ = false;
    Mix_Chunk* chunks_[kSoundCount] = {};
};

}  // namespace tarrabel::platform
