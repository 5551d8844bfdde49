#pragma once
// Classification systems, their item trees, and the items attributes and elements are
// classified as.
#include <utility>
#include <vector>

#include "API_Guid.h"
#include "AttributeRef.hpp"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

struct ClassificationItem {
    API_Guid guid{};
    GS::UniString id;
};

// The system of that name and edition version: its guid, or the host's error (badId when
// there is none).
GSErrCode FindClassificationSystem(const GS::UniString& name, const GS::UniString& editionVersion, API_Guid& guid);
extern const char* const findClassificationSystemCall;
// Makes the system, edited today.
GSErrCode CreateClassificationSystem(const GS::UniString& name, const GS::UniString& source,
                                     const GS::UniString& editionVersion, API_Guid& guid);
extern const char* const createClassificationSystemCall;
GSErrCode RootItems(const API_Guid& system, std::vector<ClassificationItem>& items);
extern const char* const rootItemsCall;
GSErrCode ItemChildren(const API_Guid& item, std::vector<ClassificationItem>& children);
// A new root item of that id, last among the roots.
GSErrCode CreateRootItem(const API_Guid& system, const GS::UniString& id, API_Guid& guid);
extern const char* const createItemCall;

// What it is classified as: (system, item) pairs.
using Classified = std::vector<std::pair<API_Guid, API_Guid>>;
GSErrCode ElementClassification(const API_Guid& element, Classified& items);
extern const char* const elementClassificationCall;
GSErrCode ClassifyElement(const API_Guid& element, const API_Guid& item);
extern const char* const classifyElementCall;
GSErrCode AttributeClassification(const AttrRef& attribute, Classified& items);
extern const char* const attributeClassificationCall;
GSErrCode ClassifyAttribute(const AttrRef& attribute, const API_Guid& item);
extern const char* const classifyAttributeCall;

} // namespace KRV::port
