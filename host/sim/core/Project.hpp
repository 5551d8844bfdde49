#pragma once
// The model database of the stand-alone host. Each API family keeps its part of the
// project in a store of its own, in the family's folder.
#include <map>
#include <string>
#include <vector>

#include "AddOnDataStore.hpp"
#include "AttributeStore.hpp"
#include "ClassificationStore.hpp"
#include "DatabaseStore.hpp"
#include "ElementStore.hpp"
#include "IfcTranslators.hpp"
#include "LibPartStore.hpp"
#include "PropertyStore.hpp"
#include "UndoHistory.hpp"

namespace sim {

struct ProjectInfo {
    GS::UniString name = "Untitled";
    bool untitled = true;
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
    AddOnDataStore addOnData;
    IfcTranslators ifcTranslators;
    UndoHistory undo;
};

} // namespace sim
