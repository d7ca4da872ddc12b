#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <filesystem>

#include "export/GifExport.h"
#include "export/Render.h"
#include "export/RenderCommand.h"
#include "platform/qt/QtPlatform.h"

namespace {

std::string scratch(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "juggle-render-test";
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    std::filesystem::remove(path);
    return path.string();
}

QImage paintAt(SceneRenderer& scene, float t) {
    scene.showAt(t);
    QImage image(scene.settings().width, scene.settings().height, QImage::Format_RGB32);
    QPainter painter(&image);
    platform::qt::paintView(scene.view(), painter, image.height());
    return image;
}

QRgb pixelAtViewPoint(SceneRenderer& scene, const QImage& image, Point p) {
    const QPointF at =
        platform::qt::viewTransform(scene.view(), image.height()).map(QPointF(p.x, p.y));
    return image.pixel(static_cast<int>(at.x()), static_cast<int>(at.y()));
}

}  // namespace

TEST(RenderCommand, GifHoldsExactlyOneLoopThatJoinsUp) {
    const std::string path = scratch("five.gif");
    ASSERT_EQ(runRenderCommand({"5", "-o", path, "--size", "240x180"}), 0);
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->ImageCount, 160);  // loop 144..464 at 2 units a frame
    EXPECT_EQ(gif->SWidth, 240);
    GraphicsControlBlock control;
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, 0, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 2);  // 50 frames a second
    DGifCloseFile(gif, &error);

    // The frame after the last is the first one again.
    RenderSettings settings;
    settings.width = 240;
    settings.height = 180;
    SceneRenderer scene(settings);
    ASSERT_TRUE(scene.load("5", nullptr));
    const std::vector<float> times = scene.loopTimes();
    const float next = times.back() + (times[1] - times[0]);
    const QImage first = paintAt(scene, times.front());
    const QImage after = paintAt(scene, next);
    EXPECT_EQ(first, after);
}

TEST(RenderCommand, PngShowsTheBallsWhereTheAppPaintsThem) {
    const std::string path = scratch("531.png");
    ASSERT_EQ(runRenderCommand({"531", "-o", path, "--at", "150"}), 0);
    const QImage png(QString::fromStdString(path));
    ASSERT_FALSE(png.isNull());

    SceneRenderer scene(RenderSettings{});
    ASSERT_TRUE(scene.load("531", nullptr));
    const QImage painted = paintAt(scene, 150);
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), painted);

    const JPattern& pattern = *scene.view().pattern();
    for (int ball = 0; ball < pattern.numberOfBalls(); ++ball) {
        const platform::Color c = scene.view().colors()[static_cast<std::size_t>(ball)];
        const QRgb seen = pixelAtViewPoint(scene, png, pattern.pointForBallNumber(ball));
        EXPECT_EQ(qRed(seen), qRound(c.red * 255)) << "ball " << ball;
        EXPECT_EQ(qGreen(seen), qRound(c.green * 255)) << "ball " << ball;
        EXPECT_EQ(qBlue(seen), qRound(c.blue * 255)) << "ball " << ball;
    }
    EXPECT_EQ(png.pixel(2, 2), qRgb(255, 255, 255));
}

TEST(RenderCommand, RefusalsLeaveNoFile) {
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const std::string out = scratch("refused.gif");
    const Case cases[] = {
        {{"432", "-o", out}, 1},
        {{"5", "-o", out, "--then", "54"}, 1},
        {{"5", "-o", out, "--size", "10x10"}, 2},
        {{"5", "-o", out, "--zoom", "-1"}, 2},
        {{"5", "-o", out, "--fps", "0"}, 2},
        {{"5"}, 2},
        {{"5", "-o", scratch("still.png"), "--then", "3"}, 2},
        {{"5", "-o", out, "--switch-at", "10"}, 2},
        {{"5", "-o", "/nonexistent-dir/five.gif"}, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runRenderCommand(c.args), c.status) << c.args[0];
        EXPECT_FALSE(std::filesystem::exists(out));
        EXPECT_FALSE(std::filesystem::exists(out + ".part"));
    }
}

TEST(RenderCommand, HandOverClipAndSvg) {
    const std::string clip = scratch("five-three.gif");
    ASSERT_EQ(runRenderCommand({"5", "-o", clip, "--then", "3", "--size", "160x120"}), 0);
    EXPECT_TRUE(std::filesystem::exists(clip));
    const std::string svg = scratch("five.svg");
    ASSERT_EQ(runRenderCommand({"5", "-o", svg}), 0);
    EXPECT_GT(std::filesystem::file_size(svg), 200u);
}

TEST(GifExport, ReportsProgressAndACancelLeavesNothing) {
    const std::string path = scratch("cancelled.gif");
    GifExport request{"3", RenderSettings{}, std::nullopt, std::nullopt};
    request.settings.width = 64;
    request.settings.height = 64;
    int lastDone = 0;
    int total = 0;
    std::string error;
    EXPECT_FALSE(exportGif(
        request, path,
        [&](int done, int all) {
            lastDone = done;
            total = all;
            return done < 10;
        },
        &error));
    EXPECT_EQ(lastDone, 10);
    EXPECT_EQ(total, 96);  // loop 80..272 at 2 units a frame
    EXPECT_EQ(error, "cancelled");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    ASSERT_TRUE(exportGif(request, path, nullptr, &error)) << error;
    EXPECT_TRUE(std::filesystem::exists(path));
}
