// The game's rule for sound effects: an effect that is still sounding is neither restarted
// nor doubled, while different effects sound together. Kept apart from the audio library
// so the rule can be checked with a stand-in for the voices.
#pragma once

#include "core/services.h"

namespace tarrabel::platform {

// One voice per effect, as the audio system provides them.
class EffectVoices {
  public:
    virtual ~EffectVoices() = default;
    virtual bool Loaded(SoundId id) const = 0;
    virtual bool Playing(SoundId id) const = 0;
    virtual void Start(SoundId id) = 0;
};

class EffectSink final : public SoundSink {
  public:
    // Without voices (no sound device) every request is ignored.
    void SetVoices(EffectVoices* voices) { voices_ = voices; }
    void Play(SoundId id) override;

  private:
    EffectVoices* voices_ = nullptr;
};

}  // namespace tarrabel::platform
