// siteswap: the juggling core for scripts. Every number and string it prints comes from
// the library; the tool only parses arguments and formats JSON lines.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Json.h"
#ifdef JUGGLE_WITH_RENDER
#include "export/RenderCommand.h"
#endif
#include "notation/SiteSwap.h"
#include "transition/Transition.h"

namespace {

constexpr int kExitInvalid = 1;
constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: siteswap info S... | info -\n"
    "       siteswap points S --at T [--at T ...]\n"
    "       siteswap transition FROM TO --at T [--points T ...]\n"
    "       siteswap render S -o FILE.gif|.png|.svg [--size WxH] [--zoom fit|U] [--speed D]\n"
    "                [--fps N] [--at T] [--then S2 [--switch-at T]]\n";

int usage(const std::string& message) {
    std::cerr << "siteswap: " << message << "\n" << kUsage;
    return kExitUsage;
}

bool parseTime(const std::string& text, float& out) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (end == nullptr || *end != '\0' || !std::isfinite(value)) {
        return false;
    }
    out = value;
    return true;
}

std::string refusalLine(const std::string& sequence, const std::string& reason) {
    JsonLine line;
    line.begin().key("siteswap").value(sequence).key("valid").value(false);
    line.key("reason").value(reason).end();
    return line.str();
}

void writeExtent(JsonLine& line, const JPattern& pattern) {
    line.key("startLoop").value(pattern.startLoop());
    line.key("endLoop").value(pattern.endLoop());
    line.key("maxWidth").value(pattern.maxWidth());
    line.key("maxHeight").value(pattern.maxHeight());
}

std::string infoLine(const std::string& sequence, bool& valid) {
    std::string reason;
    const std::shared_ptr<SiteSwap> pattern = SiteSwap::initWithSequence(sequence, &reason);
    if (!pattern) {
        valid = false;
        return refusalLine(sequence, reason);
    }
    JsonLine line;
    line.begin().key("siteswap").value(sequence).key("valid").value(true);
    line.key("balls").value(pattern->numberOfBalls());
    line.key("period").value(pattern->period());
    line.key("spread").value(pattern->spread());
    line.key("terms").beginArray();
    for (const SiteSwapTerm& term : pattern->terms()) {
        line.begin().key("value").value(term.value);
        line.key("rCount").value(term.rCount).key("qCount").value(term.qCount).end();
    }
    line.endArray();
    writeExtent(line, *pattern);
    return line.end().str();
}

std::string pointsLine(JPattern& pattern, float time) {
    pattern.computePointsAtTime(time);
    JsonLine line;
    line.begin().key("time").value(time).key("balls").beginArray();
    for (int32_t ball = 0; ball < pattern.numberOfBalls(); ++ball) {
        line.value(pattern.pointForBallNumber(ball));
    }
    line.endArray().key("hands").beginArray();
    line.value(pattern.pointForHandNumber(0)).value(pattern.pointForHandNumber(1));
    return line.endArray().end().str();
}

int runInfo(const std::vector<std::string>& args) {
    if (args.empty()) {
        return usage("info needs at least one siteswap, or - to read them from standard input");
    }
    bool valid = true;
    auto report = [&](const std::string& sequence) {
        std::cout << infoLine(sequence, valid) << '\n';
    };
    if (args.size() == 1 && args[0] == "-") {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            report(line);
        }
    } else {
        for (const std::string& sequence : args) {
            report(sequence);
        }
    }
    return valid ? 0 : kExitInvalid;
}

// Reads "--flag T" pairs; false on anything else.
bool readTimes(const std::vector<std::string>& args, std::size_t from, const std::string& flag,
               std::vector<float>& times, std::string& error) {
    for (std::size_t i = from; i < args.size(); i += 2) {
        if (args[i] != flag || i + 1 >= args.size()) {
            error = "expected " + flag + " T, got '" + args[i] + "'";
            return false;
        }
        float t = 0.0f;
        if (!parseTime(args[i + 1], t)) {
            error = "'" + args[i + 1] + "' is not a finite time";
            return false;
        }
        times.push_back(t);
    }
    return true;
}

int runPoints(const std::vector<std::string>& args) {
    if (args.empty()) {
        return usage("points needs a siteswap");
    }
    std::vector<float> times;
    std::string error;
    if (!readTimes(args, 1, "--at", times, error)) {
        return usage(error);
    }
    if (times.empty()) {
        return usage("points needs at least one --at T");
    }
    std::string reason;
    const std::shared_ptr<SiteSwap> pattern = SiteSwap::initWithSequence(args[0], &reason);
    if (!pattern) {
        std::cout << refusalLine(args[0], reason) << '\n';
        return kExitInvalid;
    }
    for (const float t : times) {
        std::cout << pointsLine(*pattern, t) << '\n';
    }
    return 0;
}

int runTransition(const std::vector<std::string>& args) {
    if (args.size() < 4 || args[2] != "--at") {
        return usage("transition needs FROM TO --at T");
    }
    float at = 0.0f;
    if (!parseTime(args[3], at)) {
        return usage("'" + args[3] + "' is not a finite time");
    }
    std::vector<float> times;
    std::string error;
    if (!readTimes(args, 4, "--points", times, error)) {
        return usage(error);
    }
    std::string fromReason;
    std::string toReason;
    const std::shared_ptr<SiteSwap> from = SiteSwap::initWithSequence(args[0], &fromReason);
    const std::shared_ptr<SiteSwap> to = SiteSwap::initWithSequence(args[1], &toReason);
    if (!from || !to) {
        if (!from) {
            std::cout << refusalLine(args[0], fromReason) << '\n';
        }
        if (!to) {
            std::cout << refusalLine(args[1], toReason) << '\n';
        }
        return kExitInvalid;
    }
    const std::shared_ptr<Transition> transition = Transition::initFromSiteSwap(*from, to, at);
    JsonLine line;
    line.begin().key("from").value(from->sequence()).key("to").value(to->sequence());
    line.key("at").value(at);
    line.key("endSiteSwap1").value(transition->endSiteSwap1());
    line.key("startTransition").value(transition->startTransition());
    line.key("endTransition").value(transition->endTransition());
    line.key("startSiteSwap2").value(transition->startSiteSwap2());
    line.key("balls").value(transition->numberOfBalls());
    writeExtent(line, *transition);
    std::cout << line.end().str() << '\n';
    for (const float t : times) {
        std::cout << pointsLine(*transition, t) << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        return usage("no command");
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "info") {
        return runInfo(args);
    }
    if (command == "points") {
        return runPoints(args);
    }
    if (command == "transition") {
        return runTransition(args);
    }
    if (command == "render") {
#ifdef JUGGLE_WITH_RENDER
        return runRenderCommand(args);
#else
        return usage("this build has no rendering (configured without the GUI layers)");
#endif
    }
    if (command == "-h" || command == "--help" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    return usage("unknown command '" + command + "'");
}
