// The Korvel classification: its system and root item, found or made, and given to
// attributes and elements.
#include "Classification.hpp"

#include "APIdefs_Classification.h"
#include "APIdefs_UserData.h"

#include <set>
#include <vector>

#include "ErrorMessages.hpp"
#include "HostErrors.hpp"

namespace {

constexpr const char* systemName = "Korvel";
constexpr const char* editionVersion = "v 1.0";

// Depth first, each item once: a host that reports an item among its own descendants
// must not send the walk round for ever.
void GatherAllDescendantOfClassification(const API_ClassificationItem& root, GS::Array<API_ClassificationItem>& out,
                                         std::set<API_Guid>& visited)
{
    struct Level {
        GS::Array<API_ClassificationItem> children;
        UIndex next = 0;
    };
    std::vector<Level> stack;
    visited.insert(root.guid);
    auto descend = [&](const API_Guid& item) {
        Level level;
        if (ACAPI_Classification_GetClassificationItemChildren(item, level.children) == NoError)
            stack.push_back(std::move(level));
    };
    descend(root.guid);
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next >= level.children.GetSize()) {
            stack.pop_back();
            continue;
        }
        const API_ClassificationItem child = level.children[level.next++];
        if (!visited.insert(child.guid).second)
            continue;
        out.Push(child);
        descend(child.guid);
    }
}

// A matching descendant wins over a matching root item; the last match wins.
void GetClassificationItemGuid(API_Guid system, const GS::UniString& id, API_Guid& item)
{
    GS::Array<API_ClassificationItem> roots;
    if (GSErrCode err = ACAPI_Classification_GetClassificationSystemRootItems(system, roots); err != NoError) {
        KRV::LogArchicadErrorCodeMessage(
            err, "GetClassificationItemGuid::ACAPI_Classification_GetClassificationSystemRootItems");
        return;
    }
    GS::Array<API_ClassificationItem> descendants;
    std::set<API_Guid> visited;
    for (const API_ClassificationItem& root : roots) {
        if (root.id == id)
            item = root.guid;
        if (visited.count(root.guid) == 0)
            GatherAllDescendantOfClassification(root, descendants, visited);
    }
    for (const API_ClassificationItem& descendant : descendants)
        if (descendant.id == id)
            item = descendant.guid;
}

} // namespace

namespace KRV {

const char* const gGenericMaterialClassificationId = "Korvel";

API_Guid GetClassificationSystem()
{
    API_ClassificationSystem system;
    system.name = systemName;
    system.source = systemName;
    system.editionVersion = editionVersion;
    GSTimeRecord now;
    TIGetTimeRecord(&now);
    system.editionDate = {now.year, now.month, now.day};
    // Made only when the host says it is not there: a failed look-up is no absence.
    GSErrCode err = ACAPI_Classification_GetClassificationSystem(system);
    if (err == hosterr::badId) {
        err = ACAPI_Classification_CreateClassificationSystem(system);
        if (err != NoError)
            LogArchicadErrorCodeMessage(err,
                                        "GetClassificationSystem::ACAPI_Classification_CreateClassificationSystem");
    } else if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "GetClassificationSystem::ACAPI_Classification_GetClassificationSystem");
    }
    return err == NoError ? system.guid : APINULLGuid;
}

API_Guid AddClassificationItem(const API_Guid& system)
{
    API_Guid target = system == APINULLGuid ? GetClassificationSystem() : system;
    if (target == APINULLGuid)
        return APINULLGuid;
    GS::Array<API_ClassificationItem> roots;
    if (GSErrCode err = ACAPI_Classification_GetClassificationSystemRootItems(target, roots); err != NoError) {
        // Not knowing the roots, a new "Korvel" item could stand beside the existing one.
        LogArchicadErrorCodeMessage(err,
                                    "AddClassificationItem::ACAPI_Classification_GetClassificationSystemRootItems");
        return APINULLGuid;
    }
    for (const API_ClassificationItem& root : roots)
        if (root.id == gGenericMaterialClassificationId)
            return root.guid;
    API_ClassificationItem item;
    item.id = gGenericMaterialClassificationId;
    if (GSErrCode err = ACAPI_Classification_CreateClassificationItem(item, target, APINULLGuid, APINULLGuid);
        err != NoError) {
        LogArchicadErrorCodeMessage(err, "AddClassificationItem::ACAPI_Classification_CreateClassificationItem");
        return APINULLGuid;
    }
    return item.guid;
}

API_Guid GetArchicadClassificationItemGuid(const char* id)
{
    const API_Guid system = GetClassificationSystem();
    API_Guid result = system != APINULLGuid ? AddClassificationItem(system) : APINULLGuid;
    if (result != APINULLGuid)
        GetClassificationItemGuid(system, GS::UniString(id), result);
    return result;
}

GSErrCode AddArchicadClassificationToAttribute(API_Attr_Head head)
{
    API_Guid item = GetArchicadClassificationItemGuid(gGenericMaterialClassificationId);
    if (item == APINULLGuid)
        return hosterr::general; // logged
    GSErrCode err = ACAPI_Attribute_AddClassificationItem(head, item);
    if (err != NoError)
        LogArchicadErrorCodeMessage(err, "AddArchicadClassificationToAttribute::ACAPI_Attribute_AddClassificationItem");
    return err;
}

GSErrCode AddArchicadClassificationToElement(const API_Guid& element)
{
    API_Guid item = GetArchicadClassificationItemGuid(gGenericMaterialClassificationId);
    if (item == APINULLGuid)
        return hosterr::general; // logged
    // An element classified so already is left alone: a host that reports every write
    // back as a classification change must not send the add-on round.
    API_ClassificationPairs current;
    GSErrCode err = ACAPI_Element_GetClassificationItems(element, current);
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "AddArchicadClassificationToElement::ACAPI_Element_GetClassificationItems");
        return err;
    }
    for (const auto& pair : current)
        if (pair.second == item)
            return NoError;
    err = ACAPI_Element_AddClassificationItem(element, item);
    if (err != NoError)
        LogArchicadErrorCodeMessage(err, "AddArchicadClassificationToElement::ACAPI_Element_AddClassificationItem");
    return err;
}

} // namespace KRV
