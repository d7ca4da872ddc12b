#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct GifFileType;

// Streams an endlessly looping animated GIF, one full frame at a time. The file appears
// under its name only when finish() succeeds; until then it is written beside it, and an
// unfinished or failed writer removes what it wrote.
class GifWriter {
  public:
    GifWriter() = default;
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // `keyColors` (0xRRGGBB) enter the palette exactly; the rest of it is a colour cube and
    // blends of the key colours with white, which antialiased edges on white need.
    bool open(const std::string& path, int width, int height, int delayCentiseconds,
              const std::vector<uint32_t>& keyColors, std::string* error);
    // Pixels are 0xAARRGGBB rows of `width`, `stridePixels` apart; alpha is ignored.
    bool addFrame(const uint32_t* pixels, int stridePixels, std::string* error);
    bool finish(std::string* error);

    int frameCount() const { return frames_; }

  private:
    uint8_t indexOf(uint32_t rgb);
    void abandon();
    bool fail(std::string* error, const std::string& what);

    GifFileType* gif_ = nullptr;
    std::string path_;
    std::string partPath_;
    int width_ = 0;
    int height_ = 0;
    int delay_ = 2;
    int frames_ = 0;
    std::vector<uint32_t> palette_;
    std::unordered_map<uint32_t, uint8_t> nearest_;
    std::vector<uint8_t> current_;   // palette indices of the frame being added
    std::vector<uint8_t> previous_;  // and of the one before it
};
