// The session the fault sweep runs, and how it reads what a step left behind.
#include "SweepSession.hpp"

#include <fstream>

#include "AddOnMain.hpp"
#include "GuidSeed.hpp"
#include "Host.hpp"
#include "ProjectFile.hpp"

namespace sweep {

namespace fs = std::filesystem;

namespace {

const fs::path examples = KORVEL_EXAMPLES_DIR;
const char* const chairId = "{3F2A9C10-7D4B-4E21-9A55-1C0B8E6D2F01}-{00000000-0000-0000-0000-000000000000}";

std::string ReadText(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string WithServer(std::string text, const std::string& server)
{
    static const std::string placeholder = "{{server}}";
    for (auto at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + server.size()))
        text.replace(at, placeholder.size(), server);
    return text;
}

json Js(const std::string& function, const json& argument)
{
    return {{"do", "js"}, {"fn", function}, {"arg", argument}};
}

json Catalogue(const std::string& name)
{
    return json::parse(ReadText(examples / "catalogue" / name));
}

// A catalogue type for the curtain walls or stairs of that IFC name.
json NamedType(const std::string& kind, const std::string& name, int id)
{
    return {{"data",
             {{"import_type", kind},
              {"name", name},
              {"id", id},
              {"updated_at", 1733400000000},
              {"tabs", {{{"name", "Geometrie"}, {"attributes", {{{"name", "Achsraster"}, {"value", 1.25}}}}}}}}}};
}

} // namespace

json StartProject()
{
    return json::parse(R"({
        "name": "Haus am Hang",
        "buildingMaterials": [
            {"name": "Putz", "cutFill": 2, "cutFillPen": 3, "description": "Kalkzementputz"},
            {"name": "Mineralwolle", "cutFill": 7, "cutFillPen": 5},
            {"name": "Ziegel Poroton T8", "cutFill": 4, "cutFillPen": 9, "density": 650,
             "description": "Eigene Beschreibung", "manufacturer": "Eigener Hersteller"}],
        "composites": [{"name": "Außenwand 36", "flags": 1, "components": [
            {"buildingMaterial": 1, "fillThick": 0.015, "flagBits": 32, "framePen": 4},
            {"buildingMaterial": 2, "fillThick": 0.16, "flagBits": 2, "framePen": 5}],
            "lines": [{"ltypeInd": 2, "linePen": 6}, {"ltypeInd": 2, "linePen": 6}, {"ltypeInd": 2, "linePen": 7}]}],
        "elements": [
            {"type": "wall", "guid": "5A1C2E3F-0001-4000-8000-000000000001", "structure": "composite", "composite": 1,
             "thickness": 0.175, "quantities": {"area": 12.5, "volume": 2.2}},
            {"type": "slab", "guid": "5A1C2E3F-0002-4000-8000-000000000002", "structure": "basic", "buildingMaterial": 2,
             "thickness": 0.2, "quantities": {"area": 30, "volume": 6}},
            {"type": "curtainWall", "guid": "5A1C2E3F-0003-4000-8000-000000000003",
             "ifcAttributes": [{"name": "Name", "value": "Pfosten-Riegel"}]},
            {"type": "stair", "guid": "5A1C2E3F-0004-4000-8000-000000000004",
             "ifcAttributes": [{"name": "Name", "value": "Nebentreppe"}]}]})");
}

std::vector<json> Steps(const std::string& server)
{
    json system = Catalogue("exterior-wall-system.json");
    system["data"]["replace_id"] = "1";
    json layer = Catalogue("brick-material.json");
    layer["data"]["name"] = "Holzfaser 160";
    layer["data"]["articles"][0]["id"] = 5003;
    layer["data"]["articles"][0]["system_internal_id"] = "1";
    layer["data"]["articles"][0]["layer_index"] = "2";
    layer["data"]["articles"][0]["internal_layer_index"] = 1;
    const json chair = json::parse(WithServer(ReadText(examples / "catalogue" / "chair-product.json"), server));
    json chairAgain = chair;
    chairAgain["data"]["updated_at"] = 1733500000000;
    chairAgain["data"]["product_tabs"][0]["attributes"][0]["value"] = "Korvel Möbel GmbH";
    const std::string bulk = WithServer(ReadText(examples / "catalogue" / "bulk-request.json"), server);
    const json upload = {server + "/api/ifc", R"({"token":"t","context":"c","content_type":"multipart/form-data"})"};
    const json object = {{"type", "object"},
                         {"guid", "5A1C2E3F-0005-4000-8000-000000000005"},
                         {"libraryPart", chairId},
                         {"ifcAttributes", {{{"name", "Name"}, {"value", "Stuhl"}}}},
                         {"quantities", {{"volume", 0.2}, {"area", 0.25}}}};
    const std::string wall = "5A1C2E3F-0001-4000-8000-000000000001";
    const std::string stair = "5A1C2E3F-0004-4000-8000-000000000004";
    const std::string placed = "5A1C2E3F-0005-4000-8000-000000000005";
    return {
        {{"do", "menu"}, {"id", 32500}, {"item", 1}},
        Js("platform", nullptr),
        {{"do", "answer"}, {"buttons", {1}}},
        Js("import", Catalogue("brick-material.json").dump()),
        {{"do", "answer"}, {"buttons", {1, 1, 1}}},
        Js("replaceSystem", system.dump()),
        Js("import", chair.dump()),
        {{"do", "place"}, {"element", object}},
        {{"do", "copy"}, {"guid", placed}},
        // The part again, changed, now that objects are placed from it: they get its new data.
        {{"do", "answer"}, {"buttons", {1}}},
        Js("import", chairAgain.dump()),
        {{"do", "change"}, {"guid", wall}, {"set", {{"structure", "basic"}, {"buildingMaterial", 3}}}},
        {{"do", "edit"}, {"guid", placed}},
        {{"do", "notify"}, {"guid", placed}, {"code", 12}},
        {{"do", "answer"}, {"buttons", {1}}},
        Js("import", NamedType("curtain wall", "Pfosten-Riegel", 80001).dump()),
        Js("import", NamedType("stair", "Haupttreppe", 81001).dump()),
        {{"do", "rename"}, {"guid", stair}, {"name", "Haupttreppe"}},
        Js("replaceMaterialUsedInConstructionSystem", layer.dump()),
        {{"do", "answer"}, {"buttons", {1}}},
        Js("update", Catalogue("brick-material.json").dump()),
        {{"do", "delete"}, {"guid", placed}},
        {{"do", "database"}, {"type", "section"}},
        Js("getCalculationData", "{}"),
        Js("updateStatus",
           R"({"materials_and_products":[{"id":"4120001","update_at":1800000000000},{"id":"9100","update_at":1},)"
           R"({"id":"77001","update_at":1800000000000},{"id":"81001","update_at":1800000000000}]})"),
        {{"do", "answer"}, {"buttons", {1, 1, 1, 1, 1, 1}}},
        Js("bulkImport", bulk),
        Js("export", upload),
        Js("selfUpdate", server + "/Stuhl-Korvel.gsm"),
        Js("openExternalLink", "https://korvel.example/hilfe"),
    };
}

void to_json(json& j, const State& s)
{
    j = {{"line", s.line},       {"project", s.project}, {"files", s.files},         {"log", s.log},
         {"handles", s.handles}, {"calls", s.calls},     {"command", s.commandOpen}, {"progress", s.progressOpen}};
}

void from_json(const json& j, State& s)
{
    s.line = j.at("line");
    s.project = j.at("project");
    s.files = j.at("files").get<std::vector<std::string>>();
    s.log = j.at("log").get<std::vector<std::string>>();
    s.handles = j.at("handles");
    s.calls = j.at("calls").get<std::map<std::string, int>>();
    s.commandOpen = j.at("command");
    s.progressOpen = j.at("progress");
}

Run::Run(const fs::path& folder, const std::vector<json>& script) : work(folder), steps(script)
{
    sim::Host& host = sim::Host::Get();
    fs::remove_all(work);
    host.SetWorkFolder(work);
    host.Reset();
    host.KeepDebugOutput(false);
    host.FixTime("2026-01-01T00:00:00");
    sim::SeedGuids(1);
    host.SetProject(sim::LoadProject(StartProject()));
    session = std::make_unique<korvel_host::Session>(out, examples / "sessions");
    session->LoadAddOn();
}

Run::~Run() = default;

State Run::Step()
{
    sim::Host& host = sim::Host::Get();
    host.ResetCallCounts();
    const json line = session->Step(steps.at(next++));
    State state = Snapshot(line);
    state.calls = host.GetCallCounts();
    return state;
}

State Run::Snapshot(const json& line) const
{
    sim::Host& host = sim::Host::Get();
    State state;
    state.line = line;
    state.project = testing_support::ProjectSnapshot(work.string());
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(work, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        if (it->is_regular_file() && it->path().filename() != "log.txt")
            state.files.push_back(fs::relative(it->path(), work).string());
    std::sort(state.files.begin(), state.files.end());
    std::ifstream log(work / "log.txt");
    std::size_t n = 0;
    for (std::string text; std::getline(log, text); ++n)
        if (n >= logLines)
            state.log.push_back(text.size() >= 32 ? text.substr(20) : text);
    const_cast<Run*>(this)->logLines = n;
    state.handles = host.LiveHandles();
    state.commandOpen = host.GetCommands().Inside();
    state.progressOpen = host.UI().progressOpen;
    return state;
}

} // namespace sweep
