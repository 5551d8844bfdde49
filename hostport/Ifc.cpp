// IFC, as generation 26 offers it: the element's IFC attribute list, the translators and
// the project saved through ACAPI_Automate.
#include "Ifc.hpp"

#include "ACAPinc.h"
#include "APIdefs_IFC.h"

namespace KRV::port {

const char* const ifcAttributesCall = "ACAPI_Element_GetIFCAttributes";
const char* const ifcTranslatorsCall = "ACAPI_IFC_GetIFCExportTranslatorsList";
const char* const saveIfcCall = "ACAPI_Automate Save";

GSErrCode IfcAttributes(const API_Guid& element, std::vector<std::pair<GS::UniString, GS::UniString>>& attributes)
{
    GS::Array<API_IFCAttribute> read;
    if (GSErrCode err = ACAPI_Element_GetIFCAttributes(element, false, &read); err != NoError)
        return err;
    attributes.clear();
    for (const API_IFCAttribute& attribute : read)
        attributes.emplace_back(attribute.attributeName, attribute.attributeValue);
    return NoError;
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
    return ACAPI_Automate(APIDo_SaveID, &save, &ifcPars);
}

} // namespace KRV::port
