// The bulk import: many catalogue items in one request, a result per item.
#include "BulkImport.hpp"

#include "CatchAll.hpp"
#include "ElementStructure.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "ImportManager.hpp"
#include "Logger.hpp"
#include "Progress.hpp"
#include "Properties.hpp"
#include "Texts.hpp"

namespace KRV {

namespace {

// The progress window, closed on every way out.
class ProgressWindow {
public:
    ProgressWindow(const GS::UniString& title, Int32 phases) { port::OpenProgress(title, phases); }
    // A window the host would not close is asked once more: left open, it would stay for good.
    ~ProgressWindow()
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            GSErrCode err = hosterr::general;
            NothingEscapes("BulkImport: closing the progress window", [&] {
                err = port::CloseProgress();
                if (err != NoError)
                    LogArchicadErrorCodeMessage(err, "BulkImport::", port::closeProgressCall);
            });
            if (err == NoError)
                return;
        }
    }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void Phase(const GS::UniString& text, Int32 maximum) { port::ProgressPhase(text, maximum); }
    void Step(const GS::UniString& text, Int32 value) { port::ProgressValue(text, value); }
    bool Cancelled() { return port::ProgressCancelled(); }
};

json Member(const json& item, const char* key, const json& absent)
{
    return item.is_object() && item.contains(key) ? item.at(key) : absent;
}

// The status entry of one item. "id" and "name" are required of the page's items.
json Entry(const json& item, const GS::UniString& status)
{
    json entry = json::object();
    entry["id"] = item.at("id");
    entry["status"] = status.ToUtf8();
    entry["name"] = item.at("name");
    entry["image"] = Member(item, "image", "");
    entry["thumbnail"] = Member(item, "thumbnail", "");
    return entry;
}

GS::UniString ImportOne(const json& item)
{
    const json envelope = {{"data", item}};
    std::vector<std::unique_ptr<BaseImporter>> importers =
        ImportManager().GetImporters(GS::UniString(envelope.dump(-1, ' ', false, json::error_handler_t::replace)));
    if (importers.empty())
        return "failed";
    // Only the first importer runs: a material's first article stands for the item.
    importers.front()->SetBulk(true);
    importers.front()->Import();
    return importers.front()->GetStatus();
}

} // namespace

json BulkImport::Import()
{
    // Read once per request: property definitions, and what the elements are built of.
    const DefinitionCacheScope definitions;
    const CompositeUseScope compositeUse;
    std::string error;
    json items = ParseJson(request.ToUtf8(), &error);
    if (items.is_discarded())
        throw std::invalid_argument("the bulk import request is not JSON: " + error);
    json result = json::array();
    const Int32 count = items.is_null()                         ? 0
                        : items.is_array() || items.is_object() ? static_cast<Int32>(items.size())
                                                                : 1;
    ProgressWindow progress(texts::pleaseWait, 1);
    const GS::UniString phase = GS::UniString::Printf("%d", count);
    progress.Phase(phase, count);
    // Wider than the host's 16 bits: a list of more than 32,767 items keeps counting.
    Int64 counter = 1;
    std::size_t position = 0; // in the list, from 0, as the page counts its items
    for (const json& item : items) {
        const std::size_t index = position++;
        try {
            // The page matches the status entries by these; an item it cannot be told about is
            // not imported at all.
            for (const char* key : {"id", "name"})
                if (!item.is_object() || !item.contains(key))
                    throw std::invalid_argument("the item has no \"" + std::string(key) +
                                                "\" to report it by; nothing of it was imported");
            const GS::UniString status = ImportOne(item);
            result.push_back(Entry(item, status));
        } catch (const std::exception& e) {
            // One bad item is reported as failed; the items after it are still imported.
            LogError("BulkImport: item " + std::to_string(index) + " could not be imported: " + e.what());
            json entry = json::object();
            entry["id"] = Member(item, "id", nullptr);
            entry["status"] = "failed";
            entry["name"] = Member(item, "name", nullptr);
            entry["image"] = Member(item, "image", "");
            entry["thumbnail"] = Member(item, "thumbnail", "");
            result.push_back(entry);
        }
        if (counter++ < count)
            progress.Step(phase, static_cast<Int32>(counter));
        if (progress.Cancelled())
            break;
    }
    return result;
}

} // namespace KRV
