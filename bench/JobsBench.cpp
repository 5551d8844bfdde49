// Every job of the add-on on generated projects of growing size, each beside a floor where
// one exists: the take-off (directly and through the page's bridge), the refresh before it,
// the update status, bulk and composite imports, and the project load. Counters: the time
// against the floor, host calls per element (the memory service BM... apart: it runs in the
// add-on's own process), element reads, the process's peak memory so far. After the runs a
// table gives each job's growth exponent between the smallest and the largest size.
// Run: make bench (KORVEL_BENCH_MILLION=1 adds 1,000,000 elements).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sys/resource.h>

#include "ACAPinc.h"
#include "AddOnData.hpp"
#include "Attributes.hpp"
#include "BM.h"
#include "BulkImport.hpp"
#include "Exports.hpp"
#include "Generated.hpp"
#include "Host.hpp"
#include "ImportManager.hpp"
#include "ProjectFile.hpp"
#include "TakeOffRequest.hpp"
#include "UserActions.hpp"
#include "UserData.hpp"

using nlohmann::json;

namespace {

using Clock = std::chrono::steady_clock;

// Seconds per run of each job at each size, for the growth table.
std::map<std::string, std::map<long, double>> timings;

// Every stored list of the materials and composites (each attribute read, its user data
// copied out), and every add-on data record: read once, not parsed. Through the add-on's port,
// which speaks either host generation.
void ReadStoredLists()
{
    namespace port = KRV::port;
    auto copyOut = [](GSHandle& data) {
        if (data != nullptr) {
            std::string text(*data, static_cast<std::size_t>(BMGetHandleSize(data)));
            benchmark::DoNotOptimize(text);
        }
        BMKillHandle(&data);
    };
    for (port::AttrType type : {port::AttrType::buildingMaterial, port::AttrType::composite}) {
        Int32 count = 0;
        port::AttributeCount(type, count);
        for (Int32 index = 1; index <= count; ++index) {
            port::Attribute attribute(port::AttrRef(type, index));
            if (port::GetAttribute(attribute) != NoError)
                continue;
            GSHandle data = nullptr;
            port::GetAttributeUserData(attribute.head, data);
            copyOut(data);
        }
    }
    GS::Array<GS::UniString> records;
    port::RecordKeys(records);
    for (const GS::UniString& name : records) {
        GSHandle data = nullptr;
        Int32 version = 0;
        port::ReadRecord(name, data, version);
        copyOut(data);
    }
}

// The least any take-off must do: list the elements, read each and its quantities, and read
// every stored list once.
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
        API_QuantitiesMask mask{};
        ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(mask);
        ACAPI_Element_GetQuantities(guid, nullptr, &quantities, &mask);
        benchmark::DoNotOptimize(q);
    }
    ReadStoredLists();
}

long Calls(const char* only = nullptr)
{
    long calls = 0;
    for (const auto& [function, count] : sim::Host::Get().GetCallCounts())
        if (only != nullptr ? function == only : function.rfind("BM", 0) != 0)
            calls += count;
    return calls;
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Setup(int elements, bench::Spread spread)
{
    bench::LoadAddOnOnce();
    auto project = std::make_unique<sim::Project>();
    bench::FillProject(*project, elements, spread);
    sim::Host::Get().SetProject(std::move(project));
    // The catalogue palette, whose page calls the add-on.
    sim::user::ChooseMenu(32500, 1);
}

bench::Spread SpreadOf(const benchmark::State& state)
{
    return state.range(1) == 0 ? bench::Spread::Few : bench::Spread::OnePerFour;
}

void Finish(benchmark::State& state, const std::string& job, double seconds, long calls, long elements, bool onePerFour)
{
    const double perRun = seconds / static_cast<double>(state.iterations());
    state.counters["host_calls_per_element"] = static_cast<double>(calls) / static_cast<double>(elements);
    state.counters["element_reads"] = static_cast<double>(Calls("Element.Get"));
    state.counters["peak_MB"] = PeakMegabytes();
    timings[job + (onePerFour ? " (1 material per 4 elements)" : "")][elements] = perRun;
    state.SetComplexityN(elements);
    // KORVEL_BENCH_CALLS=1: which host functions the job called, how often per element.
    if (std::getenv("KORVEL_BENCH_CALLS") != nullptr) {
        std::printf("%s, %ld elements:\n", job.c_str(), elements);
        for (const auto& [function, count] : sim::Host::Get().GetCallCounts())
            std::printf("  %-48s %10.4f\n", function.c_str(), static_cast<double>(count) / elements);
    }
}

// KORVEL_BENCH_ITERATIONS=N repeats each job N times (for a profiler).
int Iterations()
{
    const char* text = std::getenv("KORVEL_BENCH_ITERATIONS");
    return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 1;
}

// Runs `work` against the floor; reports the time ratio and the host calls per element.
template <typename Work> void AgainstFloor(benchmark::State& state, const std::string& job, Work work)
{
    const int elements = static_cast<int>(state.range(0));
    Setup(elements, SpreadOf(state));
    double workSeconds = 0, floorSeconds = 0;
    long calls = 0;
    for (auto _ : state) {
        sim::Host::Get().ResetCallCounts();
        const auto t0 = Clock::now();
        work();
        const auto t1 = Clock::now();
        calls = Calls();
        state.PauseTiming();
        const auto f0 = Clock::now();
        Floor();
        floorSeconds += std::chrono::duration<double>(Clock::now() - f0).count();
        sim::Host::Get().ClearDebugOutput();
        state.ResumeTiming();
        workSeconds += std::chrono::duration<double>(t1 - t0).count();
    }
    state.counters["ratio_to_floor"] = workSeconds / floorSeconds;
    Finish(state, job, workSeconds, calls, elements, state.range(1) != 0);
}

void TakeOff(benchmark::State& state)
{
    GS::UniString text;
    AgainstFloor(state, "take-off", [&text] {
        KRV::ExportCalculationData(text);
        benchmark::DoNotOptimize(text);
    });
    // What the reply alone costs to build grows with it: the floor reads no catalogue data.
    state.counters["reply_MB"] = static_cast<double>(text.GetByteLength()) / (1024.0 * 1024.0);
    // KORVEL_BENCH_REPLIES=DIR keeps each reply, to show that a change to the take-off leaves
    // what the page receives as it was.
    if (const char* folder = std::getenv("KORVEL_BENCH_REPLIES")) {
        const std::string path = std::string(folder) + "/take-off-" + std::to_string(state.range(0)) +
                                 (state.range(1) != 0 ? "-one-per-four" : "-few") + ".json";
        std::ofstream(path, std::ios::binary) << text.ToUtf8();
    }
}

// As the page asks for it: the refresh of the stored data, then the take-off.
void CalculationDataThroughBridge(benchmark::State& state)
{
    AgainstFloor(state, "getCalculationData (bridge)", [] {
        bool found = false;
        auto reply = sim::user::CallJS("jsKorvelInterface", "getCalculationData",
                                       GS::Ref<DG::JSBase>(new DG::JSValue(GS::UniString("{}"))), &found);
        benchmark::DoNotOptimize(reply);
    });
}

void Refresh(benchmark::State& state)
{
    AgainstFloor(state, "refresh", [] { KRV::UpdateAttributesUserData(); });
    state.counters["group_reads"] = static_cast<double>(Calls("Property.GetPropertyGroup"));
}

// The page's update status with `range(2)` items (0: one per stored material), half of them
// changed since the import.
void UpdateStatus(benchmark::State& state)
{
    const int elements = static_cast<int>(state.range(0));
    Setup(elements, SpreadOf(state));
    std::vector<std::string> ids = bench::CatalogueIds(sim::Host::Get().GetProject());
    const std::size_t wanted = state.range(2) == 0 ? ids.size() : static_cast<std::size_t>(state.range(2));
    json items = json::array();
    for (std::size_t i = 0; i < wanted; ++i)
        items.push_back({{"id", ids[i % ids.size()]}, {"update_at", i % 2 == 0 ? 0 : 2}});
    const std::string request = json{{"materials_and_products", items}}.dump();
    double seconds = 0;
    long calls = 0;
    for (auto _ : state) {
        sim::Host::Get().ResetCallCounts();
        GS::UniString text(request.c_str());
        const auto t0 = Clock::now();
        KRV::ExportUpdateStatus(text);
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
        calls = Calls();
        benchmark::DoNotOptimize(text);
    }
    state.counters["requested_items"] = static_cast<double>(wanted);
    Finish(state, state.range(2) == 0 ? "update status, every item" : "update status, 1000 items", seconds, calls,
           elements, state.range(1) != 0);
}

// A bulk import of range(1) materials with 30 properties each: the same 30 names for all,
// or (range(0) 1) names of their own.
void BulkImport(benchmark::State& state)
{
    const bool distinct = state.range(0) != 0;
    const int count = static_cast<int>(state.range(1));
    Setup(1000, bench::Spread::Few);
    json items = json::array();
    for (int i = 0; i < count; ++i) {
        json attributes = json::array();
        for (int p = 0; p < 30; ++p)
            attributes.push_back({{"name", distinct ? "Eigenschaft " + std::to_string(i) + "." + std::to_string(p)
                                                    : "Eigenschaft " + std::to_string(p)},
                                  {"value", std::to_string(p * 7)}});
        items.push_back({{"import_type", "Material"},
                         {"id", 50000 + i},
                         {"name", "Neu " + std::to_string(i)},
                         {"articles",
                          {{{"id", 50000 + i},
                            {"updated_at", 1},
                            {"tabs", {{{"name", "Technische Daten"}, {"attributes", attributes}}}}}}}});
    }
    const std::string request = items.dump();
    double seconds = 0;
    int imported = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Setup(1000, bench::Spread::Few);
        state.ResumeTiming();
        const auto t0 = Clock::now();
        KRV::BulkImport bulk{GS::UniString(request.c_str())};
        const json reply = bulk.Import();
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
        imported = 0;
        for (const json& entry : reply)
            imported += entry.value("status", "") == "imported";
    }
    state.counters["imported"] = imported;
    timings[distinct ? "bulk import n x 30, names of their own" : "bulk import n x 30, shared names"][count] =
        seconds / static_cast<double>(state.iterations());
}

// A composite import into a project of range(0) elements: range(1) 0 a new composite, 1 an
// overwrite of one the walls use; range(2) the number of composites in one bulk request.
void CompositeImport(benchmark::State& state)
{
    const int elements = static_cast<int>(state.range(0));
    const bool overwrite = state.range(1) != 0;
    const int count = static_cast<int>(state.range(2));
    json items = json::array();
    for (int c = 1; c <= count; ++c) {
        // Three layers of the project's own materials (each layer is one article).
        json layers = json::array();
        json articles = json::array();
        for (int k = 1; k <= 3; ++k) {
            layers.push_back({{"layer_type", k == 2 ? "Core" : "Finish"}, {"thickness", 10}});
            articles.push_back({{"name", "Material " + std::to_string(k)}, {"id", 1000 + k}, {"updated_at", 1}});
        }
        json materials = json::array({{{"articles", articles}}});
        items.push_back({{"import_type", "system"},
                         {"id", 90000 + c},
                         {"name", overwrite ? "Composite " + std::to_string(c) : "Neu " + std::to_string(c)},
                         {"updated_at", 2},
                         {"system_type", "wall"},
                         {"materials", materials},
                         {"layers", layers}});
    }
    const std::string request = items.dump();
    double seconds = 0;
    long calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Setup(elements, bench::Spread::Few);
        sim::Host::Get().ResetCallCounts();
        state.ResumeTiming();
        const auto t0 = Clock::now();
        KRV::BulkImport bulk{GS::UniString(request.c_str())};
        benchmark::DoNotOptimize(bulk.Import());
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
        calls = Calls();
    }
    state.counters["composites"] = count;
    Finish(state,
           std::string(overwrite ? "composite overwrite" : "new composite") + ", " + std::to_string(count) +
               " in one request",
           seconds, calls, elements, false);
}

void LoadProject(benchmark::State& state)
{
    const int elements = static_cast<int>(state.range(0));
    const json file = bench::ProjectFile(elements);
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(sim::LoadProject(file));
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    state.counters["peak_MB"] = PeakMegabytes();
    timings["project load"][elements] = seconds / static_cast<double>(state.iterations());
}

std::vector<long> Sizes()
{
    std::vector<long> sizes = {1000, 10000, 100000, 300000};
    if (std::getenv("KORVEL_BENCH_MILLION") != nullptr)
        sizes.push_back(1000000);
    return sizes;
}

void BothSpreads(benchmark::internal::Benchmark* b)
{
    for (long spread : {0, 1})
        for (long n : Sizes())
            b->Args({n, spread});
    b->Unit(benchmark::kMillisecond)->Iterations(Iterations());
}

void UpdateStatusSizes(benchmark::internal::Benchmark* b)
{
    for (long spread : {0, 1})
        for (long n : Sizes())
            for (long items : {1000, 0})
                b->Args({n, spread, items});
    b->Unit(benchmark::kMillisecond)->Iterations(Iterations());
}

BENCHMARK(TakeOff)->Apply(BothSpreads);
BENCHMARK(CalculationDataThroughBridge)->Apply(BothSpreads);
BENCHMARK(Refresh)->Apply(BothSpreads);
BENCHMARK(UpdateStatus)->Apply(UpdateStatusSizes);
BENCHMARK(BulkImport)
    ->Args({0, 100})
    ->Args({0, 500})
    ->Args({1, 100})
    ->Args({1, 500})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(Iterations());
BENCHMARK(CompositeImport)
    ->Args({1000, 0, 1})
    ->Args({10000, 0, 1})
    ->Args({100000, 0, 1})
    ->Args({1000, 1, 1})
    ->Args({10000, 1, 1})
    ->Args({100000, 1, 1})
    ->Args({300000, 0, 1})
    ->Args({300000, 1, 1})
    ->Args({100000, 1, 20})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(Iterations());
BENCHMARK(LoadProject)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(Iterations());

// Each job's time at each size, and how it grows: t ~ n^k between its two largest sizes
// (small projects are too quick to say much).
void PrintGrowth()
{
    std::printf("\n%-52s %12s %12s %12s %8s\n", "job", "next largest n", "largest n", "s at largest", "k");
    for (const auto& [job, bySize] : timings) {
        const auto& [n0, t0] = bySize.size() > 1 ? *std::next(bySize.rbegin()) : *bySize.begin();
        const auto& [n1, t1] = *bySize.rbegin();
        const double k = n1 > n0 && t0 > 0 ? std::log(t1 / t0) / std::log(static_cast<double>(n1) / n0) : 0.0;
        std::printf("%-52s %14ld %12ld %12.4f %8.2f\n", job.c_str(), n0, n1, t1, k);
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintGrowth();
    return 0;
}
