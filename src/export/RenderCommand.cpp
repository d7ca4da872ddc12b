#include "RenderCommand.h"

#include <QByteArray>
#include <QImage>
#include <QSaveFile>
#include <QString>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <optional>

#include "export/GifExport.h"
#include "export/Render.h"
#include "export/SvgPainter.h"

namespace {

constexpr int kExitInvalid = 1;
constexpr int kExitUsage = 2;

int complain(int status, const std::string& message) {
    std::cerr << "siteswap render: " << message << "\n";
    return status;
}

bool parseNumber(const std::string& text, float& out) {
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value)) {
        return false;
    }
    out = value;
    return true;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

struct Request {
    std::string sequence;
    std::string output;
    RenderSettings settings;
    std::optional<float> at;
    std::optional<std::string> then;
    std::optional<float> switchAt;
};

// Parses the arguments after "render"; an empty result means a usage error, already said.
std::optional<Request> parse(const std::vector<std::string>& args) {
    Request request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                complain(kExitUsage, arg + " needs a value");
                return nullptr;
            }
            return &args[++i];
        };
        auto number = [&](float& out, float low, float high) {
            const std::string* text = value();
            if (text == nullptr) {
                return false;
            }
            if (!parseNumber(*text, out) || out < low || out > high) {
                complain(kExitUsage, arg + " takes a number from " + std::to_string(low) + " to " +
                                         std::to_string(high) + ", not '" + *text + "'");
                return false;
            }
            return true;
        };
        if (arg == "-o") {
            const std::string* text = value();
            if (text == nullptr) {
                return std::nullopt;
            }
            request.output = *text;
        } else if (arg == "--size") {
            const std::string* text = value();
            int w = 0;
            int h = 0;
            char tail = 0;
            if (text == nullptr || std::sscanf(text->c_str(), "%dx%d%c", &w, &h, &tail) != 2 ||
                w < 16 || h < 16 || w > 4096 || h > 4096) {
                complain(kExitUsage, "--size takes WxH, each from 16 to 4096");
                return std::nullopt;
            }
            request.settings.width = w;
            request.settings.height = h;
        } else if (arg == "--zoom") {
            const std::string* text = value();
            if (text == nullptr) {
                return std::nullopt;
            }
            float unit = 0;
            if (*text != "fit") {
                if (!parseNumber(*text, unit) || unit < 0.05f || unit > 20.0f) {
                    complain(kExitUsage, "--zoom takes fit or a unit size from 0.05 to 20");
                    return std::nullopt;
                }
                request.settings.unitSide = unit;
            }
        } else if (arg == "--speed") {
            if (!number(request.settings.speed, 0.05f, 50.0f)) {
                return std::nullopt;
            }
        } else if (arg == "--fps") {
            float fps = 0;
            if (!number(fps, 1, 100)) {
                return std::nullopt;
            }
            request.settings.fps = static_cast<int>(fps);
        } else if (arg == "--at") {
            float t = 0;
            if (!number(t, 0, 1e7f)) {
                return std::nullopt;
            }
            request.at = t;
        } else if (arg == "--then") {
            const std::string* text = value();
            if (text == nullptr) {
                return std::nullopt;
            }
            request.then = *text;
        } else if (arg == "--switch-at") {
            float t = 0;
            if (!number(t, 0, 1e7f)) {
                return std::nullopt;
            }
            request.switchAt = t;
        } else if (request.sequence.empty() && !arg.empty() && arg[0] != '-') {
            request.sequence = arg;
        } else {
            complain(kExitUsage, "unexpected argument '" + arg + "'");
            return std::nullopt;
        }
    }
    if (request.sequence.empty() || request.output.empty()) {
        complain(kExitUsage, "needs a siteswap and -o FILE");
        return std::nullopt;
    }
    if (request.switchAt && !request.then) {
        complain(kExitUsage, "--switch-at goes with --then");
        return std::nullopt;
    }
    return request;
}

bool saveAtomically(const std::string& path, const QByteArray& bytes, std::string& error) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

int renderGif(const Request& request) {
    std::string error;
    const GifExport gif{request.sequence, request.settings, request.then, request.switchAt};
    if (!exportGif(gif, request.output, nullptr, &error)) {
        return complain(kExitInvalid, error);
    }
    return 0;
}

}  // namespace

int runRenderCommand(const std::vector<std::string>& args) {
    const std::optional<Request> parsed = parse(args);
    if (!parsed) {
        return kExitUsage;
    }
    const Request& request = *parsed;
    const bool gif = endsWith(request.output, ".gif");
    const bool png = endsWith(request.output, ".png");
    const bool svg = endsWith(request.output, ".svg");
    if (!gif && !png && !svg) {
        return complain(kExitUsage, "the output must end in .gif, .png or .svg");
    }
    if (request.then && !gif) {
        return complain(kExitUsage, "--then makes an animation: the output must end in .gif");
    }
    if (gif) {
        return renderGif(request);
    }
    SceneRenderer scene(request.settings);
    std::string why;
    if (!scene.load(request.sequence, &why)) {
        return complain(kExitInvalid, "'" + request.sequence + "' is not a valid siteswap: " + why);
    }
    const JPattern& pattern = *scene.view().pattern();
    scene.showAt(request.at.value_or((pattern.startLoop() + pattern.endLoop()) / 2));
    std::string error;
    if (svg) {
        SvgPainter painter(request.settings.width, request.settings.height, scene.view().bounds(),
                           scene.view().unitSide());
        scene.paint(painter);
        const std::string text = painter.document();
        if (!saveAtomically(request.output, QByteArray(text.data(), static_cast<int>(text.size())),
                            error)) {
            return complain(kExitInvalid, error);
        }
        return 0;
    }
    QImage image(request.settings.width, request.settings.height, QImage::Format_RGB32);
    paintScene(scene, image);
    QSaveFile file(QString::fromStdString(request.output));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        return complain(kExitInvalid, "cannot write " + request.output);
    }
    return 0;
}
