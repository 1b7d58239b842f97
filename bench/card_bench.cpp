// Benchmarks of the work the card does at start-up (opening and checking Card.FAS) and on each
// 100 ms tick (one script step and the lookups it makes), on the sample card. A tick must stay
// far below its 100 ms; the allocation counter shows what a step costs the heap.
#include "animation/fas/fas_file.h"
#include "animation/player/script_player.h"
#include "animation/player/simulated_host.h"
#include "sound/was_file.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> allocations{0};

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace card {
namespace {

const FasFile& SampleFas() {
  static auto fas = FasFile::Open(std::string(SAMPLE_CARD_DIR) + "/Card.FAS");
  if (!fas) {
    std::fprintf(stderr, "%s\n", fas.error().c_str());
    std::exit(1);
  }
  return **fas;
}

void OpenAndCheckCardFas(benchmark::State& state) {
  const ByteView bytes = SampleFas().Bytes();
  for (auto _ : state) {
    auto fas = FasFile::FromBytes(bytes, "Card.FAS");
    benchmark::DoNotOptimize(fas);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(OpenAndCheckCardFas);

void FrameAndScriptLookups(benchmark::State& state) {
  const FasFile& fas = SampleFas();
  std::int32_t id = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(fas.FrameBits(id++ & 63));
    benchmark::DoNotOptimize(fas.FindScript("do"));
  }
}
BENCHMARK(FrameAndScriptLookups);

// Whole runs of the sample card's "do" through the simulated host: the time and allocations
// per step are what one timer tick of the card costs in the player.
void SampleCardSteps(benchmark::State& state) {
  const FasFile& fas = SampleFas();
  auto bank = WasFile::Open(std::string(SAMPLE_CARD_DIR) + "/Card.WAS");
  ClipLength clips = [&](std::string_view name) -> std::optional<std::size_t> {
    if (!bank) return std::nullopt;
    auto clip = (*bank)->FindSound(name);
    return clip ? std::optional<std::size_t>(clip->size()) : std::nullopt;
  };
  long long steps = 0;
  long long allocated = 0;
  for (auto _ : state) {
    SimulatedHost host({}, fas.Width(), fas.Height(), clips, [&](const SimulationEvent& e) {
      steps += e.kind == SimulationEvent::Kind::Frame || e.kind == SimulationEvent::Kind::Wait;
    });
    ScriptPlayer player(host, [&](std::string_view name) -> std::optional<std::string_view> {
      const char* text = fas.FindScript(name);
      return text ? std::optional<std::string_view>(text) : std::nullopt;
    }, fas.Width(), fas.Height());
    const long long before = allocations;
    RunSimulation(host, player, "do", 3000, 1);
    allocated += allocations - before;
  }
  state.counters["steps"] = benchmark::Counter(static_cast<double>(steps),
                                               benchmark::Counter::kIsRate);
  state.counters["allocs/step"] = static_cast<double>(allocated) / static_cast<double>(steps);
}
BENCHMARK(SampleCardSteps)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace card

BENCHMARK_MAIN();
