#pragma once
// The model database of the stand-alone host. Each API family keeps its part of the
// project in a store of its own.
#include <map>
#include <string>
#include <vector>

#include "APIdefs_Attributes.h"
#include "APIdefs_Classification.h"
#include "APIdefs_Elements.h"
#include "APIdefs_Properties.h"
#include "GS/UniString.hpp"

namespace sim {

struct ProjectInfo {
    GS::UniString name = "Untitled";
    bool untitled = true;
};

// User data as the host keeps it: a copy of the bytes handed over.
struct StoredUserData {
    bool present = false;
    short version = 0;
    unsigned short platformSign = 0;
    Int32 flags = 0;
    std::string bytes;
};

struct StoredValue {
    std::string text;
    bool isDefault = false;
};

// What attributes and elements share: user data, classification, property values.
struct Annotations {
    StoredUserData userData;
    std::vector<GS::Pair<API_Guid, API_Guid>> classification; // (system, item)
    std::map<API_Guid, StoredValue> properties;               // by definition guid
};

struct Attribute : Annotations {
    API_AttrTypeID type = API_ZombieAttrID;
    std::string name;
    API_Guid guid{};
    // building materials
    Int32 connPriority = 0;
    Int32 cutFill = 0;
    short cutFillPen = 0;
    short cutFillBackgroundPen = 0;
    Int32 cutMaterial = 0;
    Int32 cutFillOrientation = 0;
    double thermalConductivity = 0;
    double density = 0;
    double heatCapacity = 0;
    bool showUncutLines = true;
    std::string id;
    std::string manufacturer;
    std::string description;
    // composites
    GSFlags flags = 0;
    std::vector<API_CWallComponent> components;
    std::vector<API_CWallLineComponent> lines;
};

struct AttributeStore {
    // Per type, index i lives at position i - 1.
    std::map<API_AttrTypeID, std::vector<Attribute>> byType;
    Attribute* Find(API_AttrTypeID type, API_AttributeIndex index);
    Attribute* FindByName(API_AttrTypeID type, const std::string& name);
    Attribute* FindByGuid(const API_Guid& guid);
};

struct Element : Annotations {
    API_ElemTypeID type = API_ZombieElemID;
    API_Guid guid{};
    short floor = 0;
    API_ElemStructure structure{};
};

struct ElementStore {
    std::vector<Element> elements; // in creation order
    Element* Find(const API_Guid& guid);
};

// Where a built-in definition takes its value from.
enum class BuiltInField { None, Description, Manufacturer };

struct PropertyDefinition {
    API_PropertyDefinition definition;
    BuiltInField field = BuiltInField::None;
};

struct PropertyStore {
    std::vector<API_PropertyGroup> groups;
    std::vector<PropertyDefinition> definitions;
    PropertyDefinition* Find(const API_Guid& guid);
};

struct ClassificationItemNode {
    API_ClassificationItem item;
    API_Guid system{};
    API_Guid parent{}; // null for a root item
};

struct ClassificationStore {
    std::vector<API_ClassificationSystem> systems;
    std::vector<ClassificationItemNode> items; // siblings in order
    ClassificationItemNode* FindItem(const API_Guid& guid);
};

struct AddOnDataRecord {
    Int32 version = 0;
    unsigned short platformSign = 0;
    std::string bytes;
};

class Project {
public:
    Project(); // with the host's built-in property definitions

    ProjectInfo info;
    AttributeStore attributes;
    ElementStore elements;
    PropertyStore properties;
    ClassificationStore classifications;
    std::map<std::string, AddOnDataRecord> addOnData;
    std::vector<std::string> undoSteps; // names of the undoable commands, oldest first
    int openUndoCommands = 0;
};

} // namespace sim
