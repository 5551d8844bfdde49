// IFC: the element's IFC attributes (generation 26 lists them in one call, generation 29
// reads them through IFCAPI), the translators, and the project saved as IFC.
#include "Ifc.hpp"

#include "ACAPinc.h"
#include "APIdefs_IFC.h"
#if KORVEL_HOST_GENERATION >= 29
#include "IFCAttribute.hpp"
#include "IFCObjectAccessor.hpp"
#include "IFCPropertyAccessor.hpp"
#endif

namespace KRV::port {

const char* const ifcTranslatorsCall = "ACAPI_IFC_GetIFCExportTranslatorsList";

GSErrCode IfcAttributes(const API_Guid& element, std::vector<std::pair<GS::UniString, GS::UniString>>& attributes)
{
#if KORVEL_HOST_GENERATION >= 29
    API_Elem_Head head{};
    head.guid = element;
    const auto id = IFCAPI::GetObjectAccessor().CreateElementObjectID(head);
    if (id.IsErr())
        return id.UnwrapErr().kind;
    const IFCAPI::PropertyAccessor accessor(id.Unwrap());
    const auto read = accessor.GetAttributes();
    if (read.IsErr())
        return read.UnwrapErr().kind;
    attributes.clear();
    // An optional attribute without a value reads as an empty text.
    for (const IFCAPI::Attribute& attribute : read.Unwrap())
        attributes.emplace_back(attribute.GetName(), attribute.GetValue().value_or(GS::UniString()));
    return NoError;
#else
    GS::Array<API_IFCAttribute> read;
    if (GSErrCode err = ACAPI_Element_GetIFCAttributes(element, false, &read); err != NoError)
        return err;
    attributes.clear();
    for (const API_IFCAttribute& attribute : read)
        attributes.emplace_back(attribute.attributeName, attribute.attributeValue);
    return NoError;
#endif
}

struct IfcTranslators::Listed {
    GS::Array<API_IFCTranslatorIdentifier> translators;
};

IfcTranslators::IfcTranslators() : listed(std::make_unique<Listed>()) {}

IfcTranslators::~IfcTranslators() = default;

GSErrCode IfcTranslators::Read()
{
    return ACAPI_IFC_GetIFCExportTranslatorsList(listed->translators);
}

long IfcTranslators::Find(const GS::UniString& name) const
{
    for (UIndex i = 0; i < listed->translators.GetSize(); ++i)
        if (listed->translators[i].name == name)
            return static_cast<long>(i);
    return -1;
}

GSErrCode IfcTranslators::SaveProject(long position, const IO::Location& file) const
{
    API_SavePars_Ifc ifcPars{};
    ifcPars.translatorIdentifier = listed->translators[static_cast<UIndex>(position)];
    ifcPars.elementsToIfcExport = API_EntireProject;
    ifcPars.elementsSet = nullptr;
    IO::Location location = file;
    API_FileSavePars save{};
    save.fileTypeID = APIFType_IfcFile;
    save.file = &location;
#if KORVEL_HOST_GENERATION >= 29
    ifcPars.subType = API_IFC;
    return ACAPI_ProjectOperation_Save(&save, &ifcPars);
#else
    return ACAPI_Automate(APIDo_SaveID, &save, &ifcPars);
#endif
}

} // namespace KRV::port
