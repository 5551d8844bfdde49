#pragma once
// The host's classification systems and items, and their ACAPI_ functions.
#include "API_Guid.h"
#include "APIdefs_Attributes.h"
#include "GS/Array.hpp"
#include "GS/Pair.hpp"
#include "GS/UniString.hpp"

struct GSDate {
    short year;
    short month;
    short day;
};

struct API_ClassificationSystem {
    API_Guid guid{};
    GS::UniString name;
    GS::UniString description;
    GS::UniString source;
    GS::UniString editionVersion;
    GSDate editionDate{};
};

struct API_ClassificationItem {
    API_Guid guid{};
    GS::UniString id;
    GS::UniString name;
    GS::UniString description;
};

using API_ClassificationPairs = GS::Array<GS::Pair<API_Guid, API_Guid>>; // (system, item)

// By guid; a null guid looks the system up by name and edition version.
GSErrCode ACAPI_Classification_GetClassificationSystem(API_ClassificationSystem& system);
GSErrCode ACAPI_Classification_CreateClassificationSystem(API_ClassificationSystem& system);
GSErrCode ACAPI_Classification_GetClassificationSystemRootItems(const API_Guid& system,
                                                                GS::Array<API_ClassificationItem>& items);
GSErrCode ACAPI_Classification_GetClassificationItemChildren(const API_Guid& item,
                                                             GS::Array<API_ClassificationItem>& children);
GSErrCode ACAPI_Classification_CreateClassificationItem(API_ClassificationItem& item, const API_Guid& system,
                                                        const API_Guid& parent, const API_Guid& nextSibling);
// One item per system: adding an item replaces the target's item of that system.
GSErrCode ACAPI_Attribute_GetClassificationItems(const API_Attr_Head& head, API_ClassificationPairs& items);
GSErrCode ACAPI_Attribute_AddClassificationItem(const API_Attr_Head& head, const API_Guid& item);
GSErrCode ACAPI_Element_GetClassificationItems(const API_Guid& element, API_ClassificationPairs& items);
GSErrCode ACAPI_Element_AddClassificationItem(const API_Guid& element, const API_Guid& item);
