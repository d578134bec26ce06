#include "platform/null_platform.h"

#include "platform/picture_load.h"

namespace tarrabel::platform {

bool NullPlatform::OpenDisplay(const DisplaySettings& settings, std::string* error) {
    if (!openError_.empty()) {
        if (error) *error = openError_;
        return false;
    }
    settings_ = settings;
    caption_ = settings.Title;
    open_ = true;
    return true;
}

void NullPlatform::CloseDisplay() {
    open_ = false;
    lastPresented_ = nullptr;  // the game's back buffer may be gone after this
    cursorVisible_ = true;
}

FrameInput NullPlatform::ReadInput() {
    if (queued_.empty()) return input_;
    const FrameInput next = queued_.front();
    queued_.pop_front();
    return next;
}

bool NullPlatform::TakeDisplayReset() {
    const bool reset = displayReset_;
    displayReset_ = false;
    return reset;
}

NullPlatform::NullPlatform() {
    lastChanged_.reserve(64);  // a frame never allocates, here neither
}

void NullPlatform::Present(const Surface& backBuffer, std::span<const Rect> changed) {
    ++frames_;
    lastPresented_ = &backBuffer;
    lastChanged_.assign(changed.begin(), changed.end());
    ticks_ += ticksPerPresent_;
}

void NullPlatform::DrawableSize(int32_t* width, int32_t* height) {
    *width = drawableWidth_ > 0 ? drawableWidth_ : settings_.TableWidth;
    *height = drawableHeight_ > 0 ? drawableHeight_ : settings_.TableHeight;
}

void NullPlatform::WaitForEvent(int32_t timeoutMs) {
    waitTimeouts_.push_back(timeoutMs);
    if (timeoutMs > 0) ticks_ += uint32_t(timeoutMs);
}

bool NullPlatform::LoadPicture(const std::string& path, Surface* out, std::string* error) {
    return LoadPictureFile(path, out, error);
}

}  // namespace tarrabel::platform
