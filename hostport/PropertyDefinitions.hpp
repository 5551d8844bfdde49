#pragma once
// Property groups, definitions and values, on attributes and elements. The add-on writes text
// values of custom definitions and reads texts back; a definition keeps the host's own
// record with it, so a change sends back all that the add-on did not touch.
#include <memory>
#include <vector>

#include "API_Guid.h"
#include "AttributeRef.hpp"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

struct PropertyGroup {
    API_Guid guid{};
    GS::UniString name;
};

enum class Measure { none, length, area, volume, angle };

class PropertyDefinition {
public:
    PropertyDefinition();
    ~PropertyDefinition();
    PropertyDefinition(const PropertyDefinition& other);
    PropertyDefinition& operator=(const PropertyDefinition& other);

    // A catalogue property's definition, not yet made: a custom text of one value in the
    // group, measured so, not to be edited by the user.
    static PropertyDefinition CatalogueText(const API_Guid& group, const GS::UniString& name, Measure measure);

    API_Guid Guid() const;
    API_Guid Group() const;
    GS::UniString Name() const;
    // The host's own definition (not a custom one).
    bool BuiltIn() const;
    GS::UniString DefaultText() const;
    bool AvailableFor(const API_Guid& item) const;
    void MakeAvailableFor(const API_Guid& item);

    struct Record; // the host's record
    const Record& Held() const { return *record; }
    Record& Held() { return *record; }

private:
    std::unique_ptr<Record> record;
};

struct PropertyValue {
    PropertyDefinition definition;
    GS::UniString text; // the value's own text (the definition's default when `isDefault`)
    bool isDefault = false;
};

GSErrCode GroupByName(const GS::UniString& name, PropertyGroup& group);
GSErrCode GroupByGuid(const API_Guid& guid, PropertyGroup& group);
extern const char* const groupCall;
GSErrCode Groups(std::vector<PropertyGroup>& groups);
extern const char* const groupsCall;
GSErrCode CreateGroup(const GS::UniString& name, PropertyGroup& group);
extern const char* const createGroupCall;

GSErrCode GroupDefinitions(const API_Guid& group, std::vector<PropertyDefinition>& definitions);
extern const char* const groupDefinitionsCall;
// Makes it; its guid is set. nameInUse when the group has one of that name.
GSErrCode CreateDefinition(PropertyDefinition& definition);
extern const char* const createDefinitionCall;
GSErrCode ChangeDefinition(const PropertyDefinition& definition);
extern const char* const changeDefinitionCall;

GSErrCode SetElementText(const API_Guid& element, const PropertyDefinition& definition, const GS::UniString& text);
extern const char* const setElementPropertyCall;
GSErrCode SetAttributeText(const AttrRef& attribute, const PropertyDefinition& definition, const GS::UniString& text);
extern const char* const setAttributePropertyCall;
// Gives the element's values of these definitions back their defaults.
GSErrCode ResetElementValues(const API_Guid& element, const std::vector<PropertyDefinition>& definitions);
extern const char* const setElementPropertiesCall;

// The attribute's definitions: all, or the host's own only.
GSErrCode AttributeDefinitions(const AttrRef& attribute, bool builtInOnly,
                               std::vector<PropertyDefinition>& definitions);
GSErrCode AttributeValues(const AttrRef& attribute, const std::vector<PropertyDefinition>& definitions,
                          std::vector<PropertyValue>& values);
// The attribute's value of that definition, as the host prints it.
GSErrCode AttributeValueText(const AttrRef& attribute, const API_Guid& definition, GS::UniString& text);

GSErrCode ElementDefinitions(const API_Guid& element, std::vector<PropertyDefinition>& definitions);
GSErrCode ElementValues(const API_Guid& element, const std::vector<API_Guid>& definitions,
                        std::vector<PropertyValue>& values);

} // namespace KRV::port
