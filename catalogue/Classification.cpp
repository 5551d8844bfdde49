// The Korvel classification: its system and root item, found or made, and given to
// attributes and elements.
#include "Classification.hpp"

#include <set>
#include <vector>

#include "Classifications.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"

namespace KRV {

namespace {

constexpr const char* systemName = "Korvel";
constexpr const char* editionVersion = "v 1.0";

// Depth first, each item once: a host that reports an item among its own descendants
// must not send the walk round for ever.
void GatherAllDescendantOfClassification(const port::ClassificationItem& root,
                                         std::vector<port::ClassificationItem>& out, std::set<API_Guid>& visited)
{
    struct Level {
        std::vector<port::ClassificationItem> children;
        std::size_t next = 0;
    };
    std::vector<Level> stack;
    visited.insert(root.guid);
    auto descend = [&](const API_Guid& item) {
        Level level;
        if (port::ItemChildren(item, level.children) == NoError)
            stack.push_back(std::move(level));
    };
    descend(root.guid);
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next >= level.children.size()) {
            stack.pop_back();
            continue;
        }
        const port::ClassificationItem child = level.children[level.next++];
        if (!visited.insert(child.guid).second)
            continue;
        out.push_back(child);
        descend(child.guid);
    }
}

// A matching descendant wins over a matching root item; the last match wins.
void GetClassificationItemGuid(API_Guid system, const GS::UniString& id, API_Guid& item)
{
    std::vector<port::ClassificationItem> roots;
    if (GSErrCode err = port::RootItems(system, roots); err != NoError) {
        LogArchicadErrorCodeMessage(err, "GetClassificationItemGuid::", port::rootItemsCall);
        return;
    }
    std::vector<port::ClassificationItem> descendants;
    std::set<API_Guid> visited;
    for (const port::ClassificationItem& root : roots) {
        if (root.id == id)
            item = root.guid;
        if (visited.count(root.guid) == 0)
            GatherAllDescendantOfClassification(root, descendants, visited);
    }
    for (const port::ClassificationItem& descendant : descendants)
        if (descendant.id == id)
            item = descendant.guid;
}

} // namespace

const char* const gGenericMaterialClassificationId = "Korvel";

API_Guid GetClassificationSystem()
{
    // Made only when the host says it is not there: a failed look-up is no absence.
    API_Guid system = APINULLGuid;
    GSErrCode err = port::FindClassificationSystem(systemName, editionVersion, system);
    if (err == hosterr::badId) {
        err = port::CreateClassificationSystem(systemName, systemName, editionVersion, system);
        if (err != NoError)
            LogArchicadErrorCodeMessage(err, "GetClassificationSystem::", port::createClassificationSystemCall);
    } else if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "GetClassificationSystem::", port::findClassificationSystemCall);
    }
    return err == NoError ? system : APINULLGuid;
}

API_Guid AddClassificationItem(const API_Guid& system)
{
    API_Guid target = system == APINULLGuid ? GetClassificationSystem() : system;
    if (target == APINULLGuid)
        return APINULLGuid;
    std::vector<port::ClassificationItem> roots;
    if (GSErrCode err = port::RootItems(target, roots); err != NoError) {
        // Not knowing the roots, a new "Korvel" item could stand beside the existing one.
        LogArchicadErrorCodeMessage(err, "AddClassificationItem::", port::rootItemsCall);
        return APINULLGuid;
    }
    for (const port::ClassificationItem& root : roots)
        if (root.id == gGenericMaterialClassificationId)
            return root.guid;
    API_Guid item = APINULLGuid;
    if (GSErrCode err = port::CreateRootItem(target, gGenericMaterialClassificationId, item); err != NoError) {
        LogArchicadErrorCodeMessage(err, "AddClassificationItem::", port::createItemCall);
        return APINULLGuid;
    }
    return item;
}

API_Guid GetArchicadClassificationItemGuid(const char* id)
{
    const API_Guid system = GetClassificationSystem();
    API_Guid result = system != APINULLGuid ? AddClassificationItem(system) : APINULLGuid;
    if (result != APINULLGuid)
        GetClassificationItemGuid(system, GS::UniString(id), result);
    return result;
}

GSErrCode AddArchicadClassificationToAttribute(const port::AttrRef& attribute)
{
    API_Guid item = GetArchicadClassificationItemGuid(gGenericMaterialClassificationId);
    if (item == APINULLGuid)
        return hosterr::general; // logged
    GSErrCode err = port::ClassifyAttribute(attribute, item);
    if (err != NoError)
        LogArchicadErrorCodeMessage(err, "AddArchicadClassificationToAttribute::", port::classifyAttributeCall);
    return err;
}

GSErrCode AddArchicadClassificationToElement(const API_Guid& element)
{
    API_Guid item = GetArchicadClassificationItemGuid(gGenericMaterialClassificationId);
    if (item == APINULLGuid)
        return hosterr::general; // logged
    // An element classified so already is left alone: a host that reports every write
    // back as a classification change must not send the add-on round.
    port::Classified current;
    GSErrCode err = port::ElementClassification(element, current);
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "AddArchicadClassificationToElement::", port::elementClassificationCall);
        return err;
    }
    for (const auto& pair : current)
        if (pair.second == item)
            return NoError;
    err = port::ClassifyElement(element, item);
    if (err != NoError)
        LogArchicadErrorCodeMessage(err, "AddArchicadClassificationToElement::", port::classifyElementCall);
    return err;
}

} // namespace KRV
