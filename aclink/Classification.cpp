#include "Classification.hpp"

#include "APIdefs_Classification.h"
#include "APIdefs_UserData.h"

namespace {

constexpr const char* systemName = "Korvel";
constexpr const char* editionVersion = "v 1.0";

API_Guid GetArchicadClassificationSystem()
{
    API_ClassificationSystem system;
    system.name = systemName;
    system.editionVersion = editionVersion;
    if (ACAPI_Classification_GetClassificationSystem(system) == NoError)
        return system.guid;
    return KRV::GetClassificationSystem();
}

void GatherAllDescendantOfClassification(const API_ClassificationItem& item, GS::Array<API_ClassificationItem>& out)
{
    GS::Array<API_ClassificationItem> children;
    if (ACAPI_Classification_GetClassificationItemChildren(item.guid, children) != NoError)
        return;
    for (const API_ClassificationItem& child : children) {
        out.Push(child);
        GatherAllDescendantOfClassification(child, out);
    }
}

// A matching descendant wins over a matching root item; the last match wins.
void GetClassificationItemGuid(API_Guid system, const GS::UniString& id, API_Guid& item)
{
    GS::Array<API_ClassificationItem> roots;
    if (ACAPI_Classification_GetClassificationSystemRootItems(system, roots) != NoError)
        return;
    GS::Array<API_ClassificationItem> descendants;
    for (const API_ClassificationItem& root : roots) {
        if (root.id == id)
            item = root.guid;
        GatherAllDescendantOfClassification(root, descendants);
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
    if (ACAPI_Classification_GetClassificationSystem(system) != NoError)
        ACAPI_Classification_CreateClassificationSystem(system);
    return system.guid;
}

API_Guid AddClassificationItem(const API_Guid& system)
{
    API_Guid target = system == APINULLGuid ? GetClassificationSystem() : system;
    GS::Array<API_ClassificationItem> roots;
    if (ACAPI_Classification_GetClassificationSystemRootItems(target, roots) == NoError)
        for (const API_ClassificationItem& root : roots)
            if (root.id == gGenericMaterialClassificationId)
                return root.guid;
    API_ClassificationItem item;
    item.id = gGenericMaterialClassificationId;
    if (ACAPI_Classification_CreateClassificationItem(item, target, APINULLGuid, APINULLGuid) != NoError)
        return APINULLGuid;
    return item.guid;
}

API_Guid GetArchicadClassificationItemGuid(const char* id)
{
    API_Guid system = GetArchicadClassificationSystem();
    API_Guid result = AddClassificationItem(APINULLGuid);
    GetClassificationItemGuid(system, GS::UniString(id), result);
    return result;
}

void AddArchicadClassificationToAttribute(API_Attr_Head head)
{
    API_Guid item = GetArchicadClassificationItemGuid(gGenericMaterialClassificationId);
    if (item != APINULLGuid)
        ACAPI_Attribute_AddClassificationItem(head, item);
}

void AddArchicadClassificationToElement(const API_Guid& element)
{
    API_Guid item = GetArchicadClassificationItemGuid(gGenericMaterialClassificationId);
    if (item != APINULLGuid)
        ACAPI_Element_AddClassificationItem(element, item);
}

} // namespace KRV
