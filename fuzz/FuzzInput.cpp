#include "FuzzInput.hpp"

#include <fstream>
#include <nlohmann/json.hpp>

#include "Host.hpp"
#include "ProjectFile.hpp"
#include "UserActions.hpp"

namespace korvel_fuzz {

namespace {

const char* const functions[] = {"import",        "platform",           "updateStatus",
                                 "update",        "getCalculationData", "replaceMaterialUsedInConstructionSystem",
                                 "replaceSystem", "openExternalLink",   "bulkImport",
                                 "export",        "selfUpdate"};
constexpr std::size_t functionCount = sizeof functions / sizeof functions[0];

GS::Ref<DG::JSBase> Argument(std::uint8_t kind, const std::string& text)
{
    switch (kind % 4) {
    case 0:
        return GS::Ref<DG::JSBase>(new DG::JSValue(GS::UniString(text)));
    case 1:
        return GS::Ref<DG::JSBase>();
    case 2:
        return GS::Ref<DG::JSBase>(new DG::JSValue(static_cast<Int64>(text.size())));
    default: {
        GS::Ref<DG::JSArray> array(new DG::JSArray());
        for (std::size_t from = 0;;) {
            const std::size_t at = text.find('\n', from);
            const std::string item = text.substr(from, at == std::string::npos ? std::string::npos : at - from);
            array->AddItem(GS::Ref<DG::JSBase>(new DG::JSValue(GS::UniString(item))));
            if (at == std::string::npos)
                break;
            from = at + 1;
        }
        return array;
    }
    }
}

} // namespace

std::filesystem::path SampleProject()
{
    return std::filesystem::path(KORVEL_EXAMPLES_DIR) / "projects" / "sample.json";
}

void ResetProject()
{
    static const nlohmann::json sample = [] {
        std::ifstream file(SampleProject());
        return nlohmann::json::parse(file);
    }();
    sim::Host& host = sim::Host::Get();
    host.SetProject(sim::LoadProject(sample));
    host.ClearDebugOutput();
    host.UI().alerts.clear();
    host.UI().alertAnswers.clear();
    host.UI().openedLinks.clear();
    // The log only grows; keep it from filling the disk over a long run.
    std::error_code ignored;
    if (std::filesystem::file_size(host.GetWorkFolder() / "log.txt", ignored) > (1u << 20))
        std::ofstream(host.GetWorkFolder() / "log.txt", std::ios::trunc);
}

std::string RunInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return std::string();
    sim::Host& host = sim::Host::Get();
    const std::size_t escapesBefore = host.GetEscapedExceptions().size();
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t target = data[0] % (functionCount + 1);
    if (target < functionCount) {
        sim::user::CallJS("jsKorvelInterface", functions[target], Argument(data[1], text));
    } else {
        const std::filesystem::path file = host.GetWorkFolder() / "dropped.json";
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
        sim::user::DropFile(file.string(), data[1] % 2 == 0 ? IO_DROP : IO_OPEN);
    }
    const auto& escapes = host.GetEscapedExceptions();
    return escapes.size() > escapesBefore ? escapes.back() : std::string();
}

} // namespace korvel_fuzz
