// Cost of the delay effects' process entries per stereo frame, in both precisions and at three
// block sizes, next to a baseline that only copies the two inputs to the outputs. The calls go
// through the effect record, as a host makes them. After the runs a table gives each effect's
// time per frame as a multiple of the baseline at the same precision and block size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "effects/dravimo.h"
#include "effects/lunivex.h"

namespace {

constexpr int kBlockSizes[] = {32, 512, 4096};

template <class Sample>
struct Buffers {
  explicit Buffers(int frames) : in1(frames), in2(frames), out1(frames), out2(frames) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    for (int i = 0; i < frames; ++i) {
      in1[i] = static_cast<Sample>(noise(random));
      in2[i] = static_cast<Sample>(noise(random));
    }
  }
  std::vector<Sample> in1, in2, out1, out2;
  Sample* inputs[2] = {in1.data(), in2.data()};
  Sample* outputs[2] = {out1.data(), out2.data()};
};

void countFrames(benchmark::State& state, int frames) {
  // Seconds per frame: the inverse of the frame rate.
  state.counters["ns_per_frame"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * frames,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

template <class Sample>
void copyBaseline(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  Buffers<Sample> b(frames);
  for (auto _ : state) {
    std::copy_n(b.inputs[0], frames, b.outputs[0]);
    std::copy_n(b.inputs[1], frames, b.outputs[1]);
    benchmark::DoNotOptimize(b.outputs[0]);
    benchmark::DoNotOptimize(b.outputs[1]);
    benchmark::ClobberMemory();
  }
  countFrames(state, frames);
}

template <class Effect, class Sample>
void processEffect(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  Buffers<Sample> b(frames);
  auto effect = std::make_unique<Effect>(nullptr);
  AEffect* record = effect->getEffectRecord();
  record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
  record->setParameter(record, 0, 0.3f);
  record->setParameter(record, 1, 0.7f);
  for (auto _ : state) {
    if constexpr (sizeof(Sample) == sizeof(float)) {
      record->processReplacing(record, b.inputs, b.outputs, frames);
    } else {
      record->processDoubleReplacing(record, b.inputs, b.outputs, frames);
    }
    benchmark::DoNotOptimize(b.outputs[0]);
    benchmark::DoNotOptimize(b.outputs[1]);
    benchmark::ClobberMemory();
  }
  countFrames(state, frames);
}

// Prints the usual console output, then the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      // With repetitions the median stands for the benchmark; without, its one run does.
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (!median && run.run_type != Run::RT_Iteration) continue;
      const auto it = run.counters.find("ns_per_frame");
      if (it == run.counters.end()) continue;
      const std::string name = run.run_name.str();
      if (median || !nsPerFrame.count(name)) nsPerFrame[name] = it->second.value * 1e9;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-9s %-7s %6s %12s %12s %7s\n", "effect", "path", "block", "ns/frame",
                "copy ns/fr", "ratio");
    for (const char* effect : {"Lunivex", "Dravimo"}) {
      for (const char* path : {"single", "double"}) {
        for (int block : kBlockSizes) {
          const std::string suffix = std::string("/") + path + "/" + std::to_string(block);
          const auto e = nsPerFrame.find(effect + suffix);
          const auto c = nsPerFrame.find("copy" + suffix);
          if (e == nsPerFrame.end() || c == nsPerFrame.end()) continue;
          std::printf("%-9s %-7s %6d %12.3f %12.3f %7.2f\n", effect, path, block, e->second,
                      c->second, e->second / c->second);
        }
      }
    }
  }

private:
  std::map<std::string, double> nsPerFrame;
};

void registerAll() {
  const auto add = [](const std::string& name, void (*fn)(benchmark::State&)) {
    auto* b = benchmark::RegisterBenchmark(name.c_str(), fn);
    for (int block : kBlockSizes) b->Arg(block);
  };
  add("copy/single", copyBaseline<float>);
  add("copy/double", copyBaseline<double>);
  add("Lunivex/single", processEffect<Lunivex, float>);
  add("Lunivex/double", processEffect<Lunivex, double>);
  add("Dravimo/single", processEffect<Dravimo, float>);
  add("Dravimo/double", processEffect<Dravimo, double>);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  registerAll();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
