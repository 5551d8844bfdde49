// The quantity take-off, the refresh before it and the project load on generated projects
// of every element type, each beside a floor: a bare pass that lists the elements and
// reads each one and its quantities once. Run: make bench (KORVEL_BENCH_MILLION=1 adds
// 1,000,000 elements).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "Exports.hpp"
#include "Generated.hpp"
#include "Host.hpp"
#include "ProjectFile.hpp"
#include "UserData.hpp"

namespace {

using Clock = std::chrono::steady_clock;

// The least any take-off must do: list the elements, read each and its quantities.
void Floor()
{
    GS::Array<API_Guid> elements;
    ACAPI_Element_GetElemList(API_ZombieElemID, &elements);
    for (const API_Guid& guid : elements) {
        API_Element element{};
        element.header.guid = guid;
        ACAPI_Element_Get(&element);
        API_ElementQuantity q{};
        API_Quantities quantities{};
        quantities.elements = &q;
        API_QuantitiesMask mask;
        ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(mask);
        ACAPI_Element_GetQuantities(guid, nullptr, &quantities, &mask);
        benchmark::DoNotOptimize(q.volume);
    }
}

// Calls of the host's API; its memory service (BM...) runs inside the add-on's own process
// without a request to the application, so it is left out.
long TotalCalls()
{
    long calls = 0;
    for (const auto& [function, count] : sim::Host::Get().GetCallCounts())
        if (function.rfind("BM", 0) != 0)
            calls += count;
    return calls;
}

void Setup(int elements)
{
    bench::LoadAddOnOnce();
    auto project = std::make_unique<sim::Project>();
    bench::FillProject(*project, elements);
    sim::Host::Get().SetProject(std::move(project));
}

// Runs `work` against the floor; reports the time ratio and the host calls per element.
template <typename Work> void AgainstFloor(benchmark::State& state, Work work)
{
    const int elements = static_cast<int>(state.range(0));
    Setup(elements);
    double workSeconds = 0, floorSeconds = 0;
    long calls = 0;
    for (auto _ : state) {
        sim::Host::Get().ResetCallCounts();
        const auto t0 = Clock::now();
        work();
        const auto t1 = Clock::now();
        calls = TotalCalls();
        state.PauseTiming();
        const auto f0 = Clock::now();
        Floor();
        floorSeconds += std::chrono::duration<double>(Clock::now() - f0).count();
        sim::Host::Get().ClearDebugOutput();
        state.ResumeTiming();
        workSeconds += std::chrono::duration<double>(t1 - t0).count();
    }
    state.counters["ratio_to_floor"] = workSeconds / floorSeconds;
    state.counters["host_calls_per_element"] = static_cast<double>(calls) / elements;
    state.counters["us_per_element"] = workSeconds * 1e6 / elements / static_cast<double>(state.iterations());
    state.SetComplexityN(elements);
}

void TakeOff(benchmark::State& state)
{
    AgainstFloor(state, [] {
        GS::UniString text;
        KRV::ExportCalculationData(text);
        benchmark::DoNotOptimize(text);
    });
}

void Refresh(benchmark::State& state)
{
    AgainstFloor(state, [] { KRV::UpdateAttributesUserData(); });
}

void LoadProject(benchmark::State& state)
{
    const int elements = static_cast<int>(state.range(0));
    const nlohmann::json file = bench::ProjectFile(elements);
    for (auto _ : state)
        benchmark::DoNotOptimize(sim::LoadProject(file));
    state.counters["us_per_element"] = benchmark::Counter(
        static_cast<double>(elements), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetComplexityN(elements);
}

void Sizes(benchmark::internal::Benchmark* b)
{
    for (int n : {1000, 10000, 100000})
        b->Arg(n);
    if (std::getenv("KORVEL_BENCH_MILLION") != nullptr)
        b->Arg(1000000);
    b->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

BENCHMARK(TakeOff)->Apply(Sizes);
BENCHMARK(Refresh)->Apply(Sizes);
BENCHMARK(LoadProject)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace
