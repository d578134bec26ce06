#include "platform/effect_sink.h"

namespace tarrabel::platform {

void EffectSink::Play(SoundId id) {
    if (!voices_ || !voices_->Loaded(id) || voices_->Playing(id)) return;
    voices_->Start(id);
}

}  // namespace tarrabel::platform
