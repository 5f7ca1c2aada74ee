#include "saver/core/animation_saver.h"

#include "raster/raster.h"
#include "saver/core/saver_picture.h"

#include <utility>

AnimationSaver::AnimationSaver(SaverPlatform& platform, SettingsStore& settings, std::string path)
    : SaverWindow(platform, settings), path_(std::move(path)) {}

AnimationSaver::~AnimationSaver() {
    // The window may outlive a run that was not closed (a preview whose host went away).
    destroy();
    release();
}

bool AnimationSaver::on_create() {
    platform().client_size(window(), &client_width_, &client_height_);
    if (!platform().create_picture(window(), &picture_)) return false;
    fill_bytes(picture_.bits, PICTURE_WIDTH, PICTURE_HEIGHT, PICTURE_WHITE);
    present(nullptr);
    return load_saver_animation(path_.c_str(), &animation_, platform(), window());
}

void AnimationSaver::on_timer() {
    // An animation without frames stays white: there is no frame 0 to show.
    if (animation_.frame_count <= 0 || picture_.bits == nullptr) return;
    ++position_;
    if (position_ >= animation_.frame_count) position_ = 0;
    const Frame* frame = animation_.table[position_];
    decode_frame_pixels(frame_tokens(frame), frame->token_count, picture_.bits);
    flip_rows(picture_.bits, PICTURE_WIDTH, PICTURE_HEIGHT);
    present(nullptr);
}

void AnimationSaver::on_close() { release(); }

void AnimationSaver::on_paint(const PaintContext& paint) { present(&paint); }

void AnimationSaver::present(const PaintContext* paint) {
    if (picture_.bits == nullptr) return;
    platform().present_picture(window(), picture_, paint, client_width_, client_height_);
}

void AnimationSaver::release() {
    if (picture_.bits != nullptr) platform().release_picture(&picture_);
    picture_ = SaverPicture{};
    animation_.release();
}
