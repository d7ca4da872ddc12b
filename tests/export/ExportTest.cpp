#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QString>
#include <QXmlStreamReader>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "export/GifWriter.h"
#include "export/Render.h"
#include "export/SvgPainter.h"

namespace {

std::filesystem::path scratch(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "juggle-export-test";
    std::filesystem::create_directories(dir);
    return dir / name;
}

struct DecodedGif {
    int frames = 0;
    int width = 0;
    int height = 0;
    int delay = -1;
    bool loops = false;
    std::vector<std::vector<uint32_t>> pixels;  // 0xRRGGBB per frame
};

DecodedGif decode(const std::filesystem::path& path) {
    DecodedGif out;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr || DGifSlurp(gif) == GIF_ERROR) {
        ADD_FAILURE() << "cannot decode " << path;
        return out;
    }
    out.frames = gif->ImageCount;
    out.width = gif->SWidth;
    out.height = gif->SHeight;
    GraphicsControlBlock control;
    if (DGifSavedExtensionToGCB(gif, 0, &control) == GIF_OK) {
        out.delay = control.DelayTime;
    }
    // Frames are drawn over the previous one (no disposal), each covering its rectangle.
    std::vector<uint32_t> canvas(static_cast<std::size_t>(out.width * out.height), 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        for (int e = 0; e < image.ExtensionBlockCount; ++e) {
            if (image.ExtensionBlocks[e].Function == APPLICATION_EXT_FUNC_CODE) {
                out.loops = true;
            }
        }
        const GifImageDesc& d = image.ImageDesc;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        for (int y = 0; y < d.Height; ++y) {
            for (int x = 0; x < d.Width; ++x) {
                const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x]];
                canvas[static_cast<std::size_t>((d.Top + y) * out.width + d.Left + x)] =
                    static_cast<uint32_t>(c.Red) << 16 | c.Green << 8 | c.Blue;
            }
        }
        out.pixels.push_back(canvas);
    }
    DGifCloseFile(gif, &error);
    return out;
}

}  // namespace

TEST(GifWriter, KeyColoursSurviveExactlyAndTheFileAppearsWhole) {
    const auto path = scratch("two.gif");
    std::filesystem::remove(path);
    const std::vector<uint32_t> keys = {0xFFFFFF, 0x0000FF, 0xFFF800, 0x000000};
    GifWriter gif;
    std::string error;
    ASSERT_TRUE(gif.open(path, 4, 2, 2, keys, &error)) << error;
    const uint32_t first[] = {0xFFFFFFFF, 0xFF0000FF, 0xFFFFF800, 0xFF000000,
                              0xFF0000FF, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000};
    const uint32_t second[] = {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
                               0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF101010};
    ASSERT_TRUE(gif.addFrame(first, 4, &error)) << error;
    ASSERT_TRUE(gif.addFrame(second, 4, &error)) << error;
    EXPECT_FALSE(std::filesystem::exists(path)) << "visible before it is finished";
    ASSERT_TRUE(gif.finish(&error)) << error;

    const DecodedGif decoded = decode(path);
    EXPECT_EQ(decoded.frames, 2);
    EXPECT_EQ(decoded.delay, 2);
    EXPECT_TRUE(decoded.loops);
    ASSERT_EQ(decoded.pixels.size(), 2u);
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(decoded.pixels[0][p], first[p] & 0xFFFFFF) << p;
    }
    EXPECT_EQ(decoded.pixels[1][7], 0x000000u) << "nearest palette colour";
}

TEST(GifWriter, AnAbandonedOrFailedWriteLeavesNoFile) {
    const auto path = scratch("abandoned.gif");
    std::filesystem::remove(path);
    {
        GifWriter gif;
        ASSERT_TRUE(gif.open(path, 4, 4, 2, {}, nullptr));
        const std::vector<uint32_t> white(16, 0xFFFFFFFF);
        ASSERT_TRUE(gif.addFrame(white.data(), 4, nullptr));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".part"));

    GifWriter nowhere;
    std::string error;
    EXPECT_FALSE(nowhere.open("/nonexistent-dir/x.gif", 4, 4, 2, {}, &error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
}

TEST(SceneRenderer, LoopTimesCoverOneLoopEvenly) {
    SceneRenderer scene(RenderSettings{});
    ASSERT_TRUE(scene.load("5", nullptr));
    const std::vector<float> times = scene.loopTimes();
    ASSERT_EQ(times.size(), 160u);  // 320 units at 2 per frame
    EXPECT_EQ(times.front(), 144.0f);
    EXPECT_EQ(times.back(), 462.0f);

    RenderSettings slow;
    slow.speed = 3.0f;  // 320 / 3 is no whole number: the spacing is stretched to fit
    SceneRenderer other(slow);
    ASSERT_TRUE(other.load("5", nullptr));
    const std::vector<float> stretched = other.loopTimes();
    ASSERT_EQ(stretched.size(), 107u);
    EXPECT_NEAR(stretched[1] - stretched[0], 320.0f / 107, 1e-3f);
}

TEST(SceneRenderer, RefusesAnInvalidSiteswap) {
    SceneRenderer scene(RenderSettings{});
    std::string why;
    EXPECT_FALSE(scene.load("432", &why));
    EXPECT_NE(why.find("same beat"), std::string::npos);
}

TEST(SceneRenderer, HandOverClipEndsInTheNewSiteswap) {
    SceneRenderer scene(RenderSettings{});
    ASSERT_TRUE(scene.load("5", nullptr));
    int frames = 0;
    std::vector<std::string> titles;
    ASSERT_TRUE(scene.playHandOver(
        "3", std::nullopt,
        [&] {
            ++frames;
            if (titles.empty() || titles.back() != scene.view().title()) {
                titles.push_back(scene.view().title());
            }
        },
        nullptr));
    EXPECT_EQ(titles, (std::vector<std::string>{"5", "5 to 3", "3"}));
    EXPECT_GT(frames, 100);
}

// One circle per ball shown, in a document an XML reader accepts.
TEST(SvgPainter, FrameIsXmlWithACirclePerBall) {
    SceneRenderer scene(RenderSettings{});
    ASSERT_TRUE(scene.load("531", nullptr));
    scene.showAt(150);
    SvgPainter painter(480, 360, scene.view().bounds(), scene.view().unitSide());
    scene.paint(painter);
    QXmlStreamReader xml(QString::fromStdString(painter.document()));
    int circles = 0;
    int arcs = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("circle")) {
            ++circles;
        }
        if (xml.isStartElement() && xml.name() == QStringLiteral("path")) {
            ++arcs;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(circles, 3);
    EXPECT_EQ(arcs, 2);
}
