// A material import on generated projects of growing size: the material is one of the
// project's, but not the first the host finds. Run: make bench
#include <benchmark/benchmark.h>

#include <filesystem>

#include "AddOnMain.hpp"
#include "Host.hpp"
#include "ImportManager.hpp"
#include "ProjectFile.hpp"
#include "UserActions.hpp"
#include "UserData.hpp"

using nlohmann::json;

namespace {

// `materials` catalogue materials, composites of three of them, and walls, slabs and roofs
// built of those composites and of the materials directly.
json GeneratedProject(int materials, int elements)
{
    json file = {{"name", "Generated"}};
    for (int i = 1; i <= materials; ++i) {
        json stored = json::array(
            {{{"group", "Korvel"}, {"name", "id"}, {"type", ""}, {"unit", ""}, {"value", std::to_string(i)}},
             {{"group", "Technik"}, {"name", "Dichte"}, {"type", ""}, {"unit", ""}, {"value", "650"}}});
        file["buildingMaterials"].push_back({{"name", "Material " + std::to_string(i)}, {"userData", stored.dump()}});
    }
    for (int c = 1; c + 2 <= materials; c += 3)
        file["composites"].push_back(
            {{"name", "Composite " + std::to_string(c)},
             {"components",
              {{{"buildingMaterial", c}}, {{"buildingMaterial", c + 1}}, {{"buildingMaterial", c + 2}}}}});
    const int composites = static_cast<int>(file["composites"].size());
    const char* types[] = {"wall", "slab", "roof"};
    for (int e = 0; e < elements; ++e) {
        bool composite = composites > 0 && e % 2 == 0;
        file["elements"].push_back({{"type", types[e % 3]},
                                    {"structure", composite ? "composite" : "basic"},
                                    {"composite", composite ? 1 + e % composites : 0},
                                    {"buildingMaterial", composite ? 0 : 1 + e % materials}});
    }
    return file;
}

void Prepare()
{
    static bool loaded = false;
    if (!loaded) {
        sim::Host::Get().SetWorkFolder(std::filesystem::temp_directory_path() / "korvel-bench");
        sim::user::LoadAddOn(KRV::AddOnImage());
        loaded = true;
    }
}

void ImportMaterial(benchmark::State& state)
{
    Prepare();
    const int materials = static_cast<int>(state.range(0));
    sim::Host::Get().SetProject(sim::LoadProject(GeneratedProject(materials, materials)));
    json request = {
        {"data",
         {{"import_type", "Material"},
          {"name", "Material " + std::to_string(materials / 2 + 1)},
          {"articles",
           {{{"id", materials / 2 + 1},
             {"updated_at", 2},
             {"tabs", {{{"name", "Technik"}, {"attributes", {{{"name", "Dichte"}, {"value", 700}}}}}}}}}}}}};
    for (auto _ : state) {
        auto importers = KRV::ImportManager().GetImporters(GS::UniString(request.dump()));
        importers[0]->SetBulk(true);
        benchmark::DoNotOptimize(importers[0]->Import());
        sim::Host::Get().GetProject().undo.Clear();
    }
}
BENCHMARK(ImportMaterial)->RangeMultiplier(4)->Range(16, 1024);

} // namespace
