#pragma once
// Generation 29: the host's classification systems and items, and their ACAPI_ functions.
#include <chrono>

#include "API_Guid.h"
#include "APIdefs_Attributes.h"
#include "GS/Array.hpp"
#include "GS/Pair.hpp"
#include "GS/UniString.hpp"

struct API_ClassificationSystem {
    API_Guid guid{};
    GS::UniString name;
    GS::UniString description;
    GS::UniString source;
    GS::UniString editionVersion;
    std::chrono::year_month_day editionDate{}; // create answers APIERR_BADPARS for an invalid one
};

struct API_ClassificationItem {
    API_Guid guid{};
    GS::UniString id;
    GS::UniString name;
    GS::UniString description;
};

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
// Pairs of (system, item).
GSErrCode ACAPI_Attribute_GetClassificationItems(const API_Attr_Head& attrHead,
                                                 GS::Array<GS::Pair<API_Guid, API_Guid>>& systemItemPairs);
GSErrCode ACAPI_Attribute_AddClassificationItem(const API_Attr_Head& attrHead, const API_Guid& itemGuid);
GSErrCode ACAPI_Element_GetClassificationItems(const API_Guid& elemGuid,
                                               GS::Array<GS::Pair<API_Guid, API_Guid>>& systemItemPairs);
GSErrCode ACAPI_Element_AddClassificationItem(const API_Guid& elemGuid, const API_Guid& itemGuid);
