// A platform without window or audio for tests and benchmarks: the test scripts the input,
// drives a virtual clock and looks at what the game presented, waited for and played.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/services.h"
#include "platform/platform.h"

namespace tarrabel::platform {

// Keeps every effect the game asked for, in order (no overlap rule: every request counts).
class RecordingSound final : public SoundSink {
  public:
    void Play(SoundId id) override { Played.push_back(id); }
    std::vector<SoundId> Played;
};

class NullPlatform final : public Platform {
  public:
    NullPlatform();

    // --- What the test sets ---
    // The input every ReadInput answers while no queued input is left.
    void SetInput(const FrameInput& input) { input_ = input; }
    // Inputs answered one per ReadInput before the standing one.
    void QueueInput(const FrameInput& input) { queued_.push_back(input); }
    void SetTicks(uint32_t ms) { ticks_ = ms; }
    void AdvanceTicks(uint32_t ms) { ticks_ += ms; }
    // How far the virtual clock moves with each Present (16 unless set; 0 keeps it still).
    void SetTicksPerPresent(uint32_t ms) { ticksPerPresent_ = ms; }
    void SetSecondsOfDay(double seconds) { secondsOfDay_ = seconds; }
    void SetMinimised(bool minimised) { minimised_ = minimised; }
    // The player switched between window and full screen (F11 or Alt+Return).
    void SetFullScreen(bool fullScreen) { settings_.FullScreen = fullScreen; }
    // The next TakeDisplayReset answers true once.
    void RequestDisplayReset() { displayReset_ = true; }
    // PumpEvents answers false from now on, as when the player closes the window.
    void RequestClose() { closeRequested_ = true; }
    // The drawable size DrawableSize answers; the table's own size until set.
    void SetDrawableSize(int32_t width, int32_t height) {
        drawableWidth_ = width;
        drawableHeight_ = height;
    }
    // A non-empty text makes OpenDisplay fail with it.
    void SetOpenDisplayError(std::string error) { openError_ = std::move(error); }

    // --- What the test looks at ---
    bool DisplayOpen() const { return open_; }
    const DisplaySettings& Settings() const { return settings_; }
    uint64_t FramesPresented() const { return frames_; }
    // The back buffer of the last Present (the game's own, not a copy), or null, and the
    // rectangles it said had changed.
    const Surface* LastPresented() const { return lastPresented_; }
    const std::vector<Rect>& LastChanged() const { return lastChanged_; }
    const std::vector<int32_t>& WaitTimeouts() const { return waitTimeouts_; }
    const std::string& Caption() const { return caption_; }
    bool SystemCursorVisible() const { return cursorVisible_; }
    const std::string& SoundFolder() const { return soundFolder_; }
    const std::vector<std::string>& Messages() const { return messages_; }
    RecordingSound& Recorded() { return sound_; }

    // --- Platform ---
    bool OpenDisplay(const DisplaySettings& settings, std::string* error) override;
    void CloseDisplay() override;
    bool PumpEvents() override { return !closeRequested_; }
    FrameInput ReadInput() override;
    bool Minimised() const override { return minimised_; }
    bool TakeDisplayReset() override;
    void Present(const Surface& backBuffer, std::span<const Rect> changed) override;
    void DrawableSize(int32_t* width, int32_t* height) override;
    bool FullScreen() const override { return settings_.FullScreen; }
    // The window where the settings put it (the table's size in the middle of nowhere
    // without them).
    bool WindowPlace(WindowGeometry* place) const override {
        if (!open_) return false;
        *place = settings_.Window.value_or(
            WindowGeometry{0, 0, settings_.TableWidth, settings_.TableHeight});
        return true;
    }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void ShowSystemCursor(bool visible) override { cursorVisible_ = visible; }
    void WaitForEvent(int32_t timeoutMs) override;
    uint32_t TicksMs() override { return ticks_; }
    double SecondsOfDay() override { return secondsOfDay_; }
    bool LoadPicture(const std::string& path, Surface* out, std::string* error) override;
    void InitSound() override {}
    void LoadSounds(const std::string& soundFolder) override { soundFolder_ = soundFolder; }
    void ReleaseSounds() override {}
    SoundSink& Sound() override { return sound_; }
    void ShowMessage(const std::string& message) override { messages_.push_back(message); }

    // No UI without a window: the dialog's model is driven directly in tests.
    bool StartUi(UiDesign, std::string* error) override {
        if (error) *error = "The null platform has no UI";
        return false;
    }
    bool BeginUiFrame() override { return false; }
    void EndUiFrame(uint8_t, uint8_t, uint8_t) override {}
    UiTexture CreateUiTexture(const Surface&) override { return nullptr; }
    void StopUi() override {}

  private:
    FrameInput input_;
    std::deque<FrameInput> queued_;
    uint32_t ticks_ = 0, ticksPerPresent_ = 16;
    double secondsOfDay_ = 0;
    bool minimised_ = false, displayReset_ = false, closeRequested_ = false;
    std::string openError_;

    bool open_ = false;
    DisplaySettings settings_;
    uint64_t frames_ = 0;
    const Surface* lastPresented_ = nullptr;
    std::vector<Rect> lastChanged_;
    int32_t drawableWidth_ = 0, drawableHeight_ = 0;
    std::vector<int32_t> waitTimeouts_;
    std::string caption_;
    bool cursorVisible_ = true;
    std::string soundFolder_;
    std::vector<std::string> messages_;
    RecordingSound sound_;
};

}  // namespace tarrabel::platform
