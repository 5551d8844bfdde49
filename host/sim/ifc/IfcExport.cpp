// IFC export: the host's translators and saving the project as an IFC file.
#include <filesystem>
#include <fstream>

#include "APIdefs_IFC.h"
#include "Host.hpp"
#include "IfcWriter.hpp"

using sim::Host;

GSErrCode ACAPI_IFC_GetIFCExportTranslatorsList(GS::Array<API_IFCTranslatorIdentifier>& translators)
{
    SIM_ENTER("ACAPI_IFC_GetIFCExportTranslatorsList");
    translators.Clear();
    Int32 reference = 0;
    for (const std::string& name : Host::Get().GetProject().ifcTranslators.Names())
        translators.Push({GS::UniString(name), ++reference});
    return NoError;
}

GSErrCode ACAPI_Automate(GSType code, void* par1, void* par2)
{
    SIM_ENTER_REQUEST("ACAPI_Automate", code);
    // Saving is a complete operation: never inside a command.
    if (GSErrCode refused = Host::Get().GetCommands().CompleteOperation(); refused != NoError)
        return refused;
    if (code != APIDo_SaveID || par1 == nullptr)
        return APIERR_BADPARS;
    const auto* save = static_cast<const API_FileSavePars*>(par1);
    if (save->fileTypeID != APIFType_IfcFile || save->file == nullptr || par2 == nullptr)
        return APIERR_BADPARS; // the stand-alone host saves IFC files only
    const auto* ifc = static_cast<const API_SavePars_Ifc*>(par2);
    if (!Host::Get().GetProject().ifcTranslators.Has(ifc->translatorIdentifier.name.ToUtf8()))
        return APIERR_BADPARS;
    const std::filesystem::path path(save->file->ToDisplayText().ToUtf8());
    if (path.empty() || path.is_relative() || !std::filesystem::is_directory(path.parent_path()))
        return APIERR_BADPARS;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << sim::WriteIfc(Host::Get().GetProject(), path.filename().string(), Host::Get().Timestamp());
    return file.flush() ? NoError : APIERR_GENERAL;
}
