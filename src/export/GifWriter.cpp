#include "GifWriter.h"

#include <gif_lib.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

int channel(uint32_t rgb, int shift) {
    return static_cast<int>((rgb >> shift) & 0xFF);
}

uint32_t blend(uint32_t a, uint32_t b, int weightOfA, int total) {
    uint32_t out = 0;
    for (const int shift : {16, 8, 0}) {
        const int value =
            (channel(a, shift) * weightOfA + channel(b, shift) * (total - weightOfA)) / total;
        out |= static_cast<uint32_t>(value) << shift;
    }
    return out;
}

std::vector<uint32_t> buildPalette(const std::vector<uint32_t>& keyColors) {
    std::vector<uint32_t> palette;
    auto add = [&](uint32_t rgb) {
        if (palette.size() < 256) {
            for (const uint32_t existing : palette) {
                if (existing == rgb) {
                    return;
                }
            }
            palette.push_back(rgb);
        }
    };
    for (const uint32_t c : keyColors) {
        add(c & 0xFFFFFF);
    }
    for (const uint32_t c : keyColors) {
        for (const int w : {1, 2, 3}) {
            add(blend(c, 0xFFFFFF, w, 4));
        }
    }
    // 5 x 6 x 5 cube for whatever else shows (overlaps, edges against black).
    for (int r = 0; r < 5; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 5; ++b) {
                add(static_cast<uint32_t>(r * 255 / 4) << 16 | static_cast<uint32_t>(g * 51) << 8 |
                    static_cast<uint32_t>(b * 255 / 4));
            }
        }
    }
    while (palette.size() < 256) {
        palette.push_back(0);
    }
    return palette;
}

}  // namespace

GifWriter::~GifWriter() {
    abandon();
}

void GifWriter::abandon() {
    if (gif_ != nullptr) {
        int ignored = 0;
        EGifCloseFile(gif_, &ignored);
        gif_ = nullptr;
    }
    if (!partPath_.empty()) {
        std::remove(partPath_.c_str());
        partPath_.clear();
    }
}

bool GifWriter::fail(std::string* error, const std::string& what) {
    const int code = gif_ != nullptr ? gif_->Error : 0;
    if (error != nullptr) {
        const char* detail = code != 0 ? GifErrorString(code) : nullptr;
        *error = what + (detail != nullptr ? std::string(": ") + detail : std::string());
    }
    abandon();
    return false;
}

bool GifWriter::open(const std::string& path, int width, int height, int delayCentiseconds,
                     const std::vector<uint32_t>& keyColors, std::string* error) {
    abandon();
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) {
        return fail(error, "image size out of range");
    }
    path_ = path;
    partPath_ = path + ".part";
    width_ = width;
    height_ = height;
    delay_ = delayCentiseconds;
    frames_ = 0;
    palette_ = buildPalette(keyColors);
    nearest_.clear();
    current_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    previous_.assign(current_.size(), 0);

    // Opened here rather than by giflib, which would make the file private to its owner.
    int code = E_GIF_ERR_OPEN_FAILED;
    const int fd = ::open(partPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    gif_ = fd >= 0 ? EGifOpenFileHandle(fd, &code) : nullptr;
    if (gif_ == nullptr) {
        if (fd >= 0) {
            ::close(fd);
            std::remove(partPath_.c_str());
        }
        partPath_.clear();
        if (error != nullptr) {
            const char* detail = GifErrorString(code);
            *error =
                "cannot create " + path + (detail != nullptr ? std::string(": ") + detail : "");
        }
        return false;
    }
    EGifSetGifVersion(gif_, true);
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    if (map == nullptr) {
        return fail(error, "out of memory");
    }
    for (int i = 0; i < 256; ++i) {
        map->Colors[i].Red = static_cast<GifByteType>(channel(palette_[i], 16));
        map->Colors[i].Green = static_cast<GifByteType>(channel(palette_[i], 8));
        map->Colors[i].Blue = static_cast<GifByteType>(channel(palette_[i], 0));
    }
    const int described = EGifPutScreenDesc(gif_, width, height, 8, 0, map);
    GifFreeMapObject(map);
    if (described == GIF_ERROR) {
        return fail(error, "cannot write " + path);
    }
    // Loop for ever.
    const GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType forever[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif_, sizeof netscape, netscape) == GIF_ERROR ||
        EGifPutExtensionBlock(gif_, sizeof forever, forever) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif_) == GIF_ERROR) {
        return fail(error, "cannot write " + path);
    }
    return true;
}

uint8_t GifWriter::indexOf(uint32_t rgb) {
    const auto found = nearest_.find(rgb);
    if (found != nearest_.end()) {
        return found->second;
    }
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        long distance = 0;
        for (const int shift : {16, 8, 0}) {
            const long d = channel(rgb, shift) - channel(palette_[i], shift);
            distance += d * d;
        }
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    const auto index = static_cast<uint8_t>(best);
    nearest_.emplace(rgb, index);
    return index;
}

bool GifWriter::addFrame(const uint32_t* pixels, int stridePixels, std::string* error) {
    if (gif_ == nullptr) {
        return fail(error, "no open animation");
    }
    const auto w = static_cast<std::size_t>(width_);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stridePixels;
        uint8_t* out = current_.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < width_; ++x) {
            out[x] = indexOf(row[x] & 0xFFFFFF);
        }
    }
    // Frames stay on screen (no disposal), so each one after the first carries only the
    // rectangle that changed: a ball animation is mostly still background.
    int left = 0;
    int top = 0;
    int right = width_ - 1;
    int bottom = height_ - 1;
    if (frames_ > 0) {
        left = width_;
        top = height_;
        right = -1;
        bottom = -1;
        for (int y = 0; y < height_; ++y) {
            const std::size_t base = static_cast<std::size_t>(y) * w;
            for (int x = 0; x < width_; ++x) {
                if (current_[base + static_cast<std::size_t>(x)] !=
                    previous_[base + static_cast<std::size_t>(x)]) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        if (right < 0) {
            left = top = right = bottom = 0;  // nothing moved: one unchanged pixel
        }
    }
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delay_;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    const int subWidth = right - left + 1;
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
            GIF_ERROR ||
        EGifPutImageDesc(gif_, left, top, subWidth, bottom - top + 1, false, nullptr) ==
            GIF_ERROR) {
        return fail(error, "cannot write " + path_);
    }
    for (int y = top; y <= bottom; ++y) {
        uint8_t* row = current_.data() + static_cast<std::size_t>(y) * w + left;
        if (EGifPutLine(gif_, row, subWidth) == GIF_ERROR) {
            return fail(error, "cannot write " + path_);
        }
    }
    previous_.swap(current_);
    ++frames_;
    return true;
}

bool GifWriter::finish(std::string* error) {
    if (gif_ == nullptr) {
        return fail(error, "no open animation");
    }
    int code = 0;
    const int closed = EGifCloseFile(gif_, &code);
    gif_ = nullptr;
    if (closed == GIF_ERROR) {
        if (error != nullptr) {
            const char* detail = GifErrorString(code);
            *error =
                "cannot finish " + path_ + (detail != nullptr ? std::string(": ") + detail : "");
        }
        abandon();
        return false;
    }
    if (std::rename(partPath_.c_str(), path_.c_str()) != 0) {
        abandon();
        return fail(error, "cannot move the finished animation to " + path_);
    }
    partPath_.clear();
    return true;
}
