// Costs of the siteswap core: building patterns and transitions, and computing one frame's
// positions. Besides the table, the transition pairs are summed up as median and slowest.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "notation/SiteSwap.h"
#include "transition/Transition.h"

namespace {

const std::vector<std::string> kBuiltIn = {"5",    "5r",    "55rrq555", "40", "33355500333", "5r1",
                                           "8040", "95551", "7",        "7r", "9",           "9r"};

std::string repeat(const std::string& s, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += s;
    }
    return out;
}

// 35 balls in three multi-digit throws.
const std::string k35Balls = "37,35,33,";

// The costliest strings the limits accept: the work grows with beats laid out times balls.
struct Large {
    const char* label;
    std::string sequence;
};
const std::vector<Large> kLarge = {
    // 999 balls (the highest throw), period 15984 beats (just under the limit).
    {"999x16 (999 balls, period 15984)", repeat("999,", 16)},
    // 4096 characters (the limit) in 1024 terms (the limit), period 15360.
    {"15qx1024 (4096 chars, 1024 terms, period 15360)", repeat("15q,", 1024)},
};

std::shared_ptr<SiteSwap> make(const std::string& s) {
    std::string why;
    auto p = SiteSwap::initWithSequence(s, &why);
    if (!p) {
        std::fprintf(stderr, "not a valid siteswap (%s): %.60s\n", why.c_str(), s.c_str());
        std::exit(1);
    }
    return p;
}

void construct(benchmark::State& state, const std::string& s) {
    make(s);
    for (auto _ : state) {
        auto p = SiteSwap::initWithSequence(s);
        benchmark::DoNotOptimize(p.get());
    }
}

void transition(benchmark::State& state, const std::string& a, const std::string& b) {
    const auto from = make(a);
    const auto to = make(b);
    for (auto _ : state) {
        auto x = Transition::initFromSiteSwap(*from, to, 0.0f);
        benchmark::DoNotOptimize(x.get());
    }
}

// One frame at a time, the clock stepping 2 time units as at normal speed; it runs past
// the loop's end so wrapped lookups are measured too.
void points(benchmark::State& state, const std::string& s) {
    const auto p = make(s);
    const float end = p->endLoop() + (p->endLoop() - p->startLoop());
    float t = 0.0f;
    for (auto _ : state) {
        p->computePointsAtTime(t);
        benchmark::DoNotOptimize(p->pointForBallNumber(0));
        t = t + 2.0f < end ? t + 2.0f : 0.0f;
    }
}

// The console table, then one line for the transition pairs: median and slowest.
class Reporter : public benchmark::ConsoleReporter {
  public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.function_name;
            if (name.rfind("transition/", 0) != 0 || run.error_occurred) {
                continue;
            }
            const double us = run.GetAdjustedRealTime() * unitToMicroseconds(run.time_unit);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[name] = us;
            } else if (run.run_type == Run::RT_Iteration) {
                iterations_[name].push_back(us);
            }
        }
    }

    void Finalize() override {
        std::map<std::string, double> times = medians_;
        for (auto& [name, list] : iterations_) {
            if (!times.count(name)) {
                std::sort(list.begin(), list.end());
                times[name] = list[list.size() / 2];
            }
        }
        if (!times.empty()) {
            std::vector<std::pair<double, std::string>> sorted;
            for (const auto& [name, us] : times) {
                sorted.emplace_back(us, name);
            }
            std::sort(sorted.begin(), sorted.end());
            char line[300];
            std::snprintf(line, sizeof line,
                          "\n%zu transition pairs: median %.2f us, slowest %.2f us (%s)\n",
                          sorted.size(), sorted[sorted.size() / 2].first, sorted.back().first,
                          sorted.back().second.c_str());
            GetOutputStream() << line;
        }
        ConsoleReporter::Finalize();
    }

  private:
    static double unitToMicroseconds(benchmark::TimeUnit unit) {
        switch (unit) {
            case benchmark::kNanosecond:
                return 1e-3;
            case benchmark::kMicrosecond:
                return 1.0;
            case benchmark::kMillisecond:
                return 1e3;
            case benchmark::kSecond:
                return 1e6;
        }
        return 1.0;
    }

    std::map<std::string, double> medians_;
    std::map<std::string, std::vector<double>> iterations_;
};

void registerAll() {
    std::vector<std::pair<std::string, std::string>> patterns;
    for (const std::string& s : kBuiltIn) {
        patterns.emplace_back(s, s);
    }
    patterns.emplace_back("12,", "12,");
    patterns.emplace_back(k35Balls, k35Balls);
    for (const auto& [label, s] : patterns) {
        benchmark::RegisterBenchmark(("construct/" + label).c_str(), construct, s)
            ->Unit(benchmark::kMicrosecond);
    }
    for (const Large& large : kLarge) {
        benchmark::RegisterBenchmark((std::string("construct/") + large.label).c_str(), construct,
                                     large.sequence)
            ->Unit(benchmark::kMillisecond);
    }
    for (const std::string& a : kBuiltIn) {
        for (const std::string& b : kBuiltIn) {
            benchmark::RegisterBenchmark(("transition/" + a + " to " + b).c_str(), transition, a, b)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    for (const std::string& s :
         {std::string("5"), std::string("9r"), std::string("33355500333"), k35Balls}) {
        benchmark::RegisterBenchmark(("computePointsAtTime/" + s).c_str(), points, s)
            ->Unit(benchmark::kNanosecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    registerAll();
    Reporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                            : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
