#include "platform/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <filesystem>

namespace tarrabel::platform {

namespace {

// The effects are 22050 Hz, 16-bit stereo; a short buffer keeps a card's sound close to
// the card's movement.
constexpr int kRate = 22050, kChannels = 2, kBufferFrames = 1024;

int ChannelOf(SoundId id) {
    return int(id);
}

}  // namespace

bool MixerEffects::Open() {
    if (open_) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kBufferFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kSoundCount);
    open_ = true;
    return true;
}

void MixerEffects::Load(const std::string& folder) {
    if (!open_) return;
    Release();
    for (int i = 0; i < kSoundCount; ++i) {
        const std::filesystem::path file =
            std::filesystem::path(folder) / std::string(kSoundFileNames[i]);
        chunks_[i] = Mix_LoadWAV(file.c_str());  // null: this effect stays silent
    }
}

void MixerEffects::Release() {
    if (!open_) return;
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& chunk : chunks_) {
        if (chunk) Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
}

void MixerEffects::Close() {
    if (!open_) return;
    Release();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
}

bool MixerEffects::Loaded(SoundId id) const {
    return open_ && chunks_[int(id)] != nullptr;
}

bool MixerEffects::Playing(SoundId id) const {
    return open_ && Mix_Playing(ChannelOf(id)) != 0;
}

void MixerEffects::Start(SoundId id) {
    if (Loaded(id)) Mix_PlayChannel(ChannelOf(id), chunks_[int(id)], 0);
}

}  // namespace tarrabel::platform
