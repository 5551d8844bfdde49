// Attributes as the host keeps them: one record per attribute, composites' components and
// lines in handles, a profile's cross-section as a vector image.
#include "Attributes.hpp"

#include "ACAPinc.h"
#include "CatchAll.hpp"
#include "ProfileVectorImage.hpp"
#include "internal/Generation.hpp"
#include "internal/Records.hpp"

namespace KRV::port {

const char* const getAttributeCall = "ACAPI_Attribute_Get";
const char* const searchAttributeCall = "ACAPI_Attribute_Search";
const char* const attributeCountCall = "ACAPI_Attribute_GetNum";
const char* const compositeDefinitionCall = "ACAPI_Attribute_GetDefExt";
const char* const compositeComponentsCall = "ACAPI_Attribute_GetDef";
const char* const modifyCompositeCall = "ACAPI_Attribute_ModifyExt";
const char* const profileDefinitionCall = "ACAPI_Attribute_GetDefExt";

struct CompositeDefinition::Record {
    API_AttributeDefExt defs{};
};

namespace {

template <typename T> std::size_t HeldItems(T** handle)
{
    if (handle == nullptr)
        return 0;
    return static_cast<std::size_t>(BMGetHandleSize(reinterpret_cast<GSHandle>(handle))) / sizeof(T);
}

// A building material's values, either way: the port's and the host's fields share their names.
void CopyMaterialValues(const API_BuildingMaterialType& from, BuildingMaterialValues& to)
{
    to.connPriority = from.connPriority;
    to.cutFill = gen::IndexOf(from.cutFill);
    to.cutFillPen = from.cutFillPen;
    to.cutFillBackgroundPen = from.cutFillBackgroundPen;
    to.cutMaterial = gen::IndexOf(from.cutMaterial);
    to.cutFillOrientation = static_cast<Int32>(from.cutFillOrientation);
    to.thermalConductivity = from.thermalConductivity;
    to.density = from.density;
    to.heatCapacity = from.heatCapacity;
    to.showUncutLines = from.showUncutLines;
}
void CopyMaterialValues(const BuildingMaterialValues& from, API_BuildingMaterialType& to)
{
    to.connPriority = from.connPriority;
    to.cutFill = gen::HostIndex(from.cutFill);
    to.cutFillPen = from.cutFillPen;
    to.cutFillBackgroundPen = from.cutFillBackgroundPen;
    to.cutMaterial = gen::HostIndex(from.cutMaterial);
    to.cutFillOrientation = static_cast<decltype(to.cutFillOrientation)>(from.cutFillOrientation);
    to.thermalConductivity = from.thermalConductivity;
    to.density = from.density;
    to.heatCapacity = from.heatCapacity;
    to.showUncutLines = from.showUncutLines;
}

API_Attribute HostRecord(const Attribute& attribute)
{
    API_Attribute record{};
    record.header = HostHead(attribute.head);
    if (attribute.head.ref.Type() == AttrType::buildingMaterial) {
        CopyMaterialValues(attribute.material, record.buildingMaterial);
    } else if (attribute.head.ref.Type() == AttrType::composite) {
        record.compWall.totalThick = attribute.composite.totalThickness;
        record.compWall.nComps = attribute.composite.componentCount;
        gen::SetLineCount(record.compWall, attribute.composite.lineCount);
    }
    return record;
}

void TakeRecord(const API_Attribute& record, Attribute& attribute)
{
    attribute.head = PortHead(record.header);
    if (attribute.head.ref.Type() == AttrType::buildingMaterial) {
        CopyMaterialValues(record.buildingMaterial, attribute.material);
    } else if (attribute.head.ref.Type() == AttrType::composite) {
        attribute.composite.totalThickness = record.compWall.totalThick;
        attribute.composite.componentCount = record.compWall.nComps;
        attribute.composite.lineCount = gen::LineCount(record.compWall);
    }
}

// The host's answer to a change of a building material, with its texts.
template <typename Call>
GSErrCode WriteBuildingMaterial(Attribute& material, const GS::UniString& manufacturer,
                                const GS::UniString& description, Call call)
{
    API_Attribute record = HostRecord(material);
    GS::UniString manufacturerText = manufacturer;
    GS::UniString descriptionText = description;
    record.buildingMaterial.manufacturer = &manufacturerText;
    record.buildingMaterial.description = &descriptionText;
    const GSErrCode err = call(record);
    material.head = PortHead(record.header);
    return err;
}

} // namespace

CompositeDefinition::CompositeDefinition() : record(std::make_unique<Record>()) {}

CompositeDefinition::~CompositeDefinition()
{
    NothingEscapes("CompositeDefinition", [&] { ACAPI_DisposeAttrDefsHdlsExt(&record->defs); });
}

bool CompositeDefinition::Allocate(std::size_t components, std::size_t lines)
{
    record->defs.cwall_compItems = reinterpret_cast<API_CWallComponent**>(
        BMAllocateHandle(static_cast<GSSize>(components * sizeof(API_CWallComponent)), ALLOCATE_CLEAR, 0));
    record->defs.cwall_compLItems = reinterpret_cast<API_CWallLineComponent**>(
        BMAllocateHandle(static_cast<GSSize>(lines * sizeof(API_CWallLineComponent)), ALLOCATE_CLEAR, 0));
    return record->defs.cwall_compItems != nullptr && record->defs.cwall_compLItems != nullptr;
}

std::size_t CompositeDefinition::ComponentCount() const
{
    return HeldItems(record->defs.cwall_compItems);
}

std::size_t CompositeDefinition::LineCount() const
{
    return HeldItems(record->defs.cwall_compLItems);
}

CompositeComponent CompositeDefinition::Component(std::size_t i) const
{
    const API_CWallComponent& c = (*record->defs.cwall_compItems)[i];
    return CompositeComponent{gen::IndexOf(c.buildingMaterial), c.framePen, c.flagBits, c.fillThick};
}

void CompositeDefinition::SetComponent(std::size_t i, const CompositeComponent& component)
{
    API_CWallComponent& c = (*record->defs.cwall_compItems)[i];
    c.buildingMaterial = gen::HostIndex(component.buildingMaterial);
    c.framePen = component.framePen;
    c.flagBits = component.flagBits;
    c.fillThick = component.thickness;
}

CompositeLine CompositeDefinition::Line(std::size_t i) const
{
    const API_CWallLineComponent& l = (*record->defs.cwall_compLItems)[i];
    return CompositeLine{static_cast<short>(gen::IndexOf(l.ltypeInd)), l.linePen, gen::LineKind(l)};
}

void CompositeDefinition::SetLine(std::size_t i, const CompositeLine& line)
{
    API_CWallLineComponent& l = (*record->defs.cwall_compLItems)[i];
    l.ltypeInd = gen::HostIndex(line.lineType);
    l.linePen = line.pen;
    gen::SetLineKind(l, line.kind);
}

GSErrCode AttributeCount(AttrType type, Int32& count)
{
#if KORVEL_HOST_GENERATION >= 29
    UInt32 number = 0;
    const GSErrCode err = ACAPI_Attribute_GetNum(TypeIdOf(type), number);
    count = number > static_cast<UInt32>(INT32_MAX) ? INT32_MAX : static_cast<Int32>(number);
#else
    API_AttributeIndex number = 0;
    const GSErrCode err = ACAPI_Attribute_GetNum(TypeIdOf(type), &number);
    count = number;
#endif
    return err;
}

GSErrCode GetAttribute(Attribute& attribute)
{
    API_Attribute record{};
    record.header = HostHead(attribute.head);
    const GSErrCode err = ACAPI_Attribute_Get(&record);
    if (err == NoError)
        TakeRecord(record, attribute);
    return err;
}

GSErrCode SearchAttribute(AttributeHead& head)
{
    API_Attr_Head host = HostHead(head);
    const GSErrCode err = ACAPI_Attribute_Search(&host);
    if (err == NoError)
        head = PortHead(host);
    return err;
}

GSErrCode CreateBuildingMaterial(Attribute& material, const GS::UniString& manufacturer,
                                 const GS::UniString& description)
{
    return WriteBuildingMaterial(material, manufacturer, description,
                                 [](API_Attribute& record) { return ACAPI_Attribute_Create(&record, nullptr); });
}

GSErrCode ModifyBuildingMaterial(Attribute& material, const GS::UniString& manufacturer,
                                 const GS::UniString& description)
{
    return WriteBuildingMaterial(material, manufacturer, description,
                                 [](API_Attribute& record) { return ACAPI_Attribute_Modify(&record, nullptr); });
}

GSErrCode ReadCompositeDefinition(Int32 composite, CompositeDefinition& definition)
{
    return ACAPI_Attribute_GetDefExt(API_CompWallID, gen::HostIndex(composite), &definition.Host().defs);
}

GSErrCode ReadCompositeComponents(const Attribute& composite, std::vector<CompositeComponent>& components)
{
    API_AttributeDef defs{};
    const GSErrCode err = ACAPI_Attribute_GetDef(API_CompWallID, gen::HostIndex(composite.head.ref.Index()), &defs);
    NothingEscapes("ReadCompositeComponents", [&] {
        if (err == NoError) {
            // The record's count may promise more components than the definition holds.
            const std::size_t counted = composite.composite.componentCount > 0
                                            ? static_cast<std::size_t>(composite.composite.componentCount)
                                            : 0;
            const std::size_t count = std::min(HeldItems(defs.cwall_compItems), counted);
            for (std::size_t i = 0; i < count; ++i) {
                const API_CWallComponent& c = (*defs.cwall_compItems)[i];
                components.push_back(
                    CompositeComponent{gen::IndexOf(c.buildingMaterial), c.framePen, c.flagBits, c.fillThick});
            }
        }
    });
    NothingEscapes("ReadCompositeComponents", [&] { ACAPI_DisposeAttrDefsHdls(&defs); });
    return err;
}

GSErrCode CreateComposite(Attribute& composite, CompositeDefinition& definition)
{
    API_Attribute record = HostRecord(composite);
    const GSErrCode err = ACAPI_Attribute_CreateExt(&record, &definition.Host().defs);
    composite.head = PortHead(record.header);
    return err;
}

GSErrCode ModifyComposite(Attribute& composite, CompositeDefinition& definition)
{
    API_Attribute record = HostRecord(composite);
    const GSErrCode err = ACAPI_Attribute_ModifyExt(&record, &definition.Host().defs);
    composite.head = PortHead(record.header);
    return err;
}

GSErrCode ProfileHatchMaterial(Int32 profile, Int32& material)
{
    material = 0;
    API_AttributeDefExt defs{};
    const GSErrCode err = ACAPI_Attribute_GetDefExt(API_ProfileID, gen::HostIndex(profile), &defs);
    if (err == NoError && defs.profile_vectorImageItems != nullptr) {
        const ProfileVectorImage& image = *defs.profile_vectorImageItems;
        for (UIndex i = 0; i < image.GetItemCount(); ++i)
            if (image.GetItemType(i) == ProfileVectorImage::Hatch)
                material = gen::IndexOf(image.GetHatchObject(i).GetBuildMatIdx()); // the last hatch wins
    }
    NothingEscapes("ProfileHatchMaterial", [&] { ACAPI_DisposeAttrDefsHdlsExt(&defs); });
    return err;
}

GSErrCode ElementPriority(Int32 uiPriority, Int32& elemPriority)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_Element_UI2ElemPriority(&uiPriority, &elemPriority);
#else
    return ACAPI_Goodies(APIAny_UI2ElemPriorityID, &uiPriority, &elemPriority);
#endif
}

} // namespace KRV::port
