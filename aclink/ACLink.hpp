#pragma once
// The model writer: puts catalogue items into the project.
#include "ComplexMaterial.hpp"
#include "Library.hpp"
#include "LibraryPart.hpp"
#include "Material.hpp"

namespace KRV {

class ACLink {
public:
    // Creates or overrides the building material; leaves "imported", "overwritten" or
    // "failed" in the material's status.
    bool CreateMaterial(Material& material);
    // Creates or replaces the composite and its layer materials; sets its status.
    bool CreateComplexMaterial(ComplexMaterial& composite);
    // Downloads and registers a library container.
    bool CreateLibrary(Library& library);
    // Downloads and registers a library part.
    bool CreateLibraryPart(LibraryPart& part);
};

// Asks whether an item of that name and kind may be replaced: 1 "Continue", 2 "Reject".
int MessageBoxAskToOverride(const GS::UniString& name, const GS::UniString& kind);
// Whether a building material of the material's name may be written: asks the user
// unless the material is to be overridden silently. True to go on.
bool OverrideBuildingMaterialIfExist(Material& material);
// Whether a library part of that name may be written. True to go on.
bool OverrideObjectIfExist(const GS::UniString& name, const GS::UniString& kind);

} // namespace KRV
