// One fuzz input, as the page or a dropped file would deliver it to the loaded add-on.
#include "FuzzInput.hpp"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "Host.hpp"
#include "ProjectFile.hpp"
#include "StoredList.hpp"
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

// The one reader of a stored list must read a text as the whole reading does (parsed, then
// each entry converted), in place and in its plain scan where that takes the text; its
// entries as JSON are the parsed ones. Answers what differs, or "".
std::string ReadersDisagree(const std::string& text)
{
    const nlohmann::json parsed = KRV::TextToJson(GS::UniString(text));
    bool objects = parsed.is_array();
    for (const nlohmann::json& entry : objects ? parsed : nlohmann::json::array())
        objects = objects && entry.is_object();
    KRV::KorvelProperties whole;
    bool wholeRead = objects;
    if (objects) {
        try {
            from_json(parsed, whole);
        } catch (const nlohmann::json::exception&) {
            wholeRead = false;
        }
    }
    KRV::StoredList inPlace;
    if (inPlace.Read(text, "the fuzz input") != wholeRead || inPlace.size() != (wholeRead ? whole.View().size() : 0))
        return "the stored list reads differently in place";
    for (std::size_t i = 0; i < inPlace.size(); ++i) {
        const KRV::KorvelProperty& property = whole.View()[i];
        const KRV::StoredList::Property texts = inPlace[i];
        if (texts.group != property.GetGroup().ToUtf8() || texts.name != property.GetName().ToUtf8() ||
            texts.unit != property.GetUnit().ToUtf8() || texts.type != property.GetType().ToUtf8() ||
            texts.value != property.GetValue().ToUtf8())
            return "a stored property reads differently in place";
    }
    KRV::StoredList plain;
    if (plain.ReadPlain(text) && (!wholeRead || plain.size() != whole.View().size()))
        return "the plain reading takes a text the whole reading does not read alike";
    KRV::StoredList entries;
    if (entries.ReadEntries(text, "the fuzz input") != objects || entries.EntryCount() != (objects ? parsed.size() : 0))
        return "the stored entries read differently";
    for (std::size_t i = 0; i < entries.EntryCount(); ++i)
        if (entries.Json(i, KRV::StoredList::value) != parsed[i].value("value", nlohmann::json()) ||
            entries.Json(i, KRV::StoredList::name) != parsed[i].value("name", nlohmann::json()))
            return "a stored entry reads differently as JSON";
    return std::string();
}

bool IsFailureStatus(const GS::Ref<DG::JSBase>& reply)
{
    auto value = GS::DynamicCast<DG::JSValue>(reply);
    if (value == nullptr || value->GetType() != DG::JSValue::STRING)
        return false;
    const nlohmann::json status = nlohmann::json::parse(value->GetString().ToUtf8(), nullptr, false);
    return status.is_object() && status.value("IsError", false) == true;
}

// The text as the catalogue data of every building material; then what reads it: the
// take-off (whose reply must stay JSON), the refresh before it, and the update status.
std::string StoredData(const std::string& text)
{
    if (std::string differs = ReadersDisagree(text); !differs.empty())
        return differs;
    sim::Project& project = sim::Host::Get().GetProject();
    for (sim::AttrIndex index = 1;
         sim::Attribute* material = project.attributes.Find(sim::AttrKind::buildingMaterial, index); ++index)
        material->userData = {true, 0, 0x6D6D, 0, text};
    auto reply = GS::DynamicCast<DG::JSValue>(sim::user::CallJS(
        "jsKorvelInterface", "getCalculationData", GS::Ref<DG::JSBase>(new DG::JSValue(GS::UniString("{}")))));
    if (reply != nullptr && reply->GetType() == DG::JSValue::STRING &&
        !nlohmann::json::accept(reply->GetString().ToUtf8()))
        return "the take-off's reply is no JSON";
    // Damaged catalogue data costs its item, never the whole job: nothing else fails here.
    if (IsFailureStatus(reply))
        return "the take-off failed over stored data";
    if (IsFailureStatus(sim::user::CallJS("jsKorvelInterface", "updateStatus",
                                          GS::Ref<DG::JSBase>(new DG::JSValue(GS::UniString(
                                              R"({"materials_and_products":[{"id":"1","update_at":2}]})"))))))
        return "the update status failed over stored data";
    return std::string();
}

// A text the JSON library refuses, whatever it refuses it for, is an unparsable request:
// answered as one, never by the bridge's last resort for what it did not expect.
bool LastResortAnswered(const std::string& function)
{
    // The add-on's own error line, not a text of the input's that a line quotes.
    const std::string line = "[Error]     jsKorvelInterface." + function + " failed: [json.exception.";
    std::istringstream output(sim::Host::Get().GetDebugOutput());
    for (std::string text; std::getline(output, text);)
        if (text.size() > 20 && text.compare(20, line.size(), line) == 0)
            return true;
    return false;
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
    if (data[0] >= 240) {
        if (std::string differs = StoredData(text); !differs.empty())
            return differs;
    } else if (target < functionCount) {
        sim::user::CallJS("jsKorvelInterface", functions[target], Argument(data[1], text));
        if (data[1] % 4 == 0 && !nlohmann::json::accept(text) && LastResortAnswered(functions[target]))
            return std::string("a text that is no JSON reached the bridge's last resort in ") + functions[target];
    } else {
        const std::filesystem::path file = host.GetWorkFolder() / "dropped.json";
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
        sim::user::DropFile(file.string(),
                            data[1] % 2 == 0 ? sim::user::FileArrival::dropped : sim::user::FileArrival::opened);
    }
    const auto& escapes = host.GetEscapedExceptions();
    return escapes.size() > escapesBefore ? escapes.back() : std::string();
}

} // namespace korvel_fuzz
