#pragma once
// A building material as the host needs it, with the bookkeeping of its import.
#include "API_Guid.h"
#include "Attributes.hpp"
#include "BaseItem.hpp"
#include "GS/UniString.hpp"

namespace KRV {

// What the host's building-material attribute needs, plus the bookkeeping of an import.
class Material : public virtual BaseItem {
public:
    Material() = default;
    Material(const Material&) = default;
    Material& operator=(const Material&) = default;
    Material(Material&&) = default;
    Material& operator=(Material&&) = default;
    virtual ~Material() = default;

    API_Guid GetGuid() const { return guid; }
    Int32 GetIndex() const { return index; }
    Int32 GetTypeId() const { return typeId; }
    Int32 GetConnPriority() const { return connPriority; }
    Int32 GetCutFill() const { return cutFill; }
    short GetCutFillPen() const { return cutFillPen; }
    short GetCutFillBackgroundPen() const { return cutFillBackgroundPen; }
    Int32 GetCutMaterial() const { return cutMaterial; }
    Int32 GetCutFillOrientation() const { return cutFillOrientation; }
    double GetThermalConductivity() const { return thermalConductivity; }
    double GetDensity() const { return density; }
    double GetHeatCapacity() const { return heatCapacity; }
    double GetThickness() const { return thickness; }
    bool GetShowUncutLines() const { return showUncutLines; }
    GS::UniString GetName() const { return name; }
    GS::UniString GetDescription() const { return description; }
    GS::UniString GetManufacturer() const { return manufacturer; }
    short GetFlagBits() const { return flagBits; }
    GS::UniString GetLayerType() const { return layerType; }

    void SetThickness(double value) { thickness = value; }
    void SetName(const GS::UniString& value) { name = value; }
    void SetGuid(API_Guid value) { guid = value; }
    void SetIndex(int value) { index = value; }
    void SetFlagBits(short value) { flagBits = value; }
    // Also sets the composite-layer flags: 2 for "Core", 32 for "Finish".
    void SetLayerType(const GS::UniString& type);
    void SetDescription(const GS::UniString& value) { description = value; }
    void SetManufacturer(const GS::UniString& value) { manufacturer = value; }

    // Takes over an existing host material's priority, fill, pens, surface and orientation.
    void SetBuildingMaterialProp(const port::BuildingMaterialValues& existing);
    // Takes over an existing host material's thermal conductivity, density, heat capacity
    // and "show uncut lines": the catalogue never carries them, so an overwrite keeps them.
    void SetPhysicalProp(const port::BuildingMaterialValues& existing);
    // Puts this material into a layer of an existing host composite; host error code.
    // Defined in aclink/BuildingMaterial.cpp, with the writers.
    GSErrCode ReplaceMaterial();

    bool inSystem = false;
    Int32 systemInternalId = 0;
    Int32 layerIndex = 0;
    Int32 internalLayerIndex = 0;
    GS::UniString status = "Undefined";
    bool overrideSilently = false;

protected:
    API_Guid guid{};
    Int32 index = 0;
    Int32 typeId = 16; // the host's type code of building materials, as the page has always read it
    Int32 connPriority = 0;
    Int32 cutFill = 0;
    short cutFillPen = 0;
    short cutFillBackgroundPen = 0;
    Int32 cutMaterial = 0;
    Int32 cutFillOrientation = 0;
    double thermalConductivity = 0.0;
    double density = 0.0;
    double heatCapacity = 0.0;
    double thickness = 0.0;
    bool showUncutLines = true;
    short flagBits = 0;
    GS::UniString name = "Undefined";
    GS::UniString description = "Undefined";
    GS::UniString manufacturer = "Undefined";
    GS::UniString layerType = "Undefined";
};

} // namespace KRV
