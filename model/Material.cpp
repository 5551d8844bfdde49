// A building material as the host needs it, with the bookkeeping of its import.
#include "Material.hpp"

namespace KRV {

void Material::SetLayerType(const GS::UniString& type)
{
    layerType = type;
    flagBits = 0;
    if (type == "Core")
        flagBits = 2;
    else if (type == "Finish")
        flagBits = 0x20;
}

void Material::SetBuildingMaterialProp(const port::BuildingMaterialValues& existing)
{
    connPriority = existing.connPriority;
    cutFill = existing.cutFill;
    cutFillPen = existing.cutFillPen;
    cutFillBackgroundPen = existing.cutFillBackgroundPen;
    cutMaterial = existing.cutMaterial;
    cutFillOrientation = existing.cutFillOrientation;
}

void Material::SetPhysicalProp(const port::BuildingMaterialValues& existing)
{
    thermalConductivity = existing.thermalConductivity;
    density = existing.density;
    heatCapacity = existing.heatCapacity;
    showUncutLines = existing.showUncutLines;
}

} // namespace KRV
