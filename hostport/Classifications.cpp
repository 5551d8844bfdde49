// Classification systems and items, and the items of attributes and elements.
#include "Classifications.hpp"

#include <ctime>

#include "ACAPinc.h"
#include "internal/Records.hpp"

namespace KRV::port {

const char* const findClassificationSystemCall = "ACAPI_Classification_GetClassificationSystem";
const char* const createClassificationSystemCall = "ACAPI_Classification_CreateClassificationSystem";
const char* const rootItemsCall = "ACAPI_Classification_GetClassificationSystemRootItems";
const char* const createItemCall = "ACAPI_Classification_CreateClassificationItem";
const char* const elementClassificationCall = "ACAPI_Element_GetClassificationItems";
const char* const classifyElementCall = "ACAPI_Element_AddClassificationItem";
const char* const attributeClassificationCall = "ACAPI_Attribute_GetClassificationItems";
const char* const classifyAttributeCall = "ACAPI_Attribute_AddClassificationItem";

namespace {

std::vector<ClassificationItem> Items(const GS::Array<API_ClassificationItem>& read)
{
    std::vector<ClassificationItem> items;
    for (const API_ClassificationItem& item : read)
        items.push_back({item.guid, item.id});
    return items;
}

using SystemItemPairs = GS::Array<GS::Pair<API_Guid, API_Guid>>; // (system, item)

Classified Pairs(const SystemItemPairs& read)
{
    Classified pairs;
    for (const auto& pair : read)
        pairs.emplace_back(pair.first, pair.second);
    return pairs;
}

API_ClassificationSystem System(const GS::UniString& name, const GS::UniString& source,
                                const GS::UniString& editionVersion)
{
    API_ClassificationSystem system;
    system.name = name;
    system.source = source;
    system.editionVersion = editionVersion;
#if KORVEL_HOST_GENERATION >= 29
    // Today, local time.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    system.editionDate = std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                                     std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                                     std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
#else
    GSTimeRecord now;
    TIGetTimeRecord(&now);
    system.editionDate = {now.year, now.month, now.day};
#endif
    return system;
}

} // namespace

GSErrCode FindClassificationSystem(const GS::UniString& name, const GS::UniString& editionVersion, API_Guid& guid)
{
    API_ClassificationSystem system; // looked up by name and edition version
    system.name = name;
    system.source = name;
    system.editionVersion = editionVersion;
    const GSErrCode err = ACAPI_Classification_GetClassificationSystem(system);
    guid = err == NoError ? system.guid : APINULLGuid;
    return err;
}

GSErrCode CreateClassificationSystem(const GS::UniString& name, const GS::UniString& source,
                                     const GS::UniString& editionVersion, API_Guid& guid)
{
    API_ClassificationSystem system = System(name, source, editionVersion);
    const GSErrCode err = ACAPI_Classification_CreateClassificationSystem(system);
    guid = err == NoError ? system.guid : APINULLGuid;
    return err;
}

GSErrCode RootItems(const API_Guid& system, std::vector<ClassificationItem>& items)
{
    GS::Array<API_ClassificationItem> read;
    const GSErrCode err = ACAPI_Classification_GetClassificationSystemRootItems(system, read);
    items = Items(read);
    return err;
}

GSErrCode ItemChildren(const API_Guid& item, std::vector<ClassificationItem>& children)
{
    GS::Array<API_ClassificationItem> read;
    const GSErrCode err = ACAPI_Classification_GetClassificationItemChildren(item, read);
    children = Items(read);
    return err;
}

GSErrCode CreateRootItem(const API_Guid& system, const GS::UniString& id, API_Guid& guid)
{
    API_ClassificationItem item;
    item.id = id;
    const GSErrCode err = ACAPI_Classification_CreateClassificationItem(item, system, APINULLGuid, APINULLGuid);
    guid = item.guid;
    return err;
}

GSErrCode ElementClassification(const API_Guid& element, Classified& items)
{
    SystemItemPairs read;
    const GSErrCode err = ACAPI_Element_GetClassificationItems(element, read);
    items = Pairs(read);
    return err;
}

GSErrCode ClassifyElement(const API_Guid& element, const API_Guid& item)
{
    return ACAPI_Element_AddClassificationItem(element, item);
}

GSErrCode AttributeClassification(const AttrRef& attribute, Classified& items)
{
    SystemItemPairs read;
    const GSErrCode err = ACAPI_Attribute_GetClassificationItems(HeadOf(attribute), read);
    items = Pairs(read);
    return err;
}

GSErrCode ClassifyAttribute(const AttrRef& attribute, const API_Guid& item)
{
    return ACAPI_Attribute_AddClassificationItem(HeadOf(attribute), item);
}

} // namespace KRV::port
