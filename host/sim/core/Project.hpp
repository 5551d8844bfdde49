#pragma once
// The model database of the stand-alone host. Each API family keeps its part of the
// project in a store of its own, in the family's folder.
#include <map>
#include <string>
#include <vector>

#include "AttributeStore.hpp"
#include "ClassificationStore.hpp"
#include "DatabaseStore.hpp"
#include "ElementStore.hpp"
#include "LibPartStore.hpp"
#include "PropertyStore.hpp"

namespace sim {

struct ProjectInfo {
    GS::UniString name = "Untitled";
    bool untitled = true;
};

struct AddOnDataRecord {
    Int32 version = 0;
    unsigned short platformSign = 0;
    std::string bytes;
};

class Project {
public:
    ProjectInfo info;
    AttributeStore attributes;
    ElementStore elements;
    PropertyStore properties;
    ClassificationStore classifications;
    LibPartStore libParts;
    DatabaseStore databases;
    std::map<std::string, AddOnDataRecord> addOnData; // by key
    // The host's IFC export translators, by name.
    std::vector<std::string> ifcTranslators = {"IFC4 Design Transfer View", "IFC2x3 Coordination View 2.0"};
    std::vector<std::string> undoSteps; // names of the undoable commands, oldest first
};

} // namespace sim
