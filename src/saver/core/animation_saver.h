// The saver that plays an animation file: white first, then frames 1, 2, ..., last, 0, 1, ...
#pragma once

#include "saver/core/saver_animation_file.h"
#include "saver/core/saver_window.h"

#include <string>

class AnimationSaver : public SaverWindow {
public:
    AnimationSaver(SaverPlatform& platform, SettingsStore& settings, std::string path);
    ~AnimationSaver() override;

    bool on_create() override;
    void on_timer() override;
    void on_close() override;
    void on_paint(const PaintContext& paint) override;

    int32_t position() const { return position_; }
    int32_t frame_count() const { return animation_.frame_count; }
    int32_t frames_per_second() const { return animation_.frames_per_second; }
    // The picture as the window system holds it (bottom row first); null before on_create.
    const uint8_t* picture() const { return picture_.bits; }

private:
    void present(const PaintContext* paint);
    void release();

    std::string path_;
    int32_t position_ = 0;
    SaverAnimation animation_;
    SaverPicture picture_;
    int32_t client_width_ = 0;
    int32_t client_height_ = 0;
};
