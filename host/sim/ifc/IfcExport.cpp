// IFC export: the host's translators and saving the project as an IFC file.
#include <filesystem>
#include <fstream>

#include "APIdefs_IFC.h"
#include "Calls.hpp"
#include "Edge.hpp"
#include "Host.hpp"
#include "IfcWriter.hpp"

using sim::Host;

GSErrCode ACAPI_IFC_GetIFCExportTranslatorsList(GS::Array<API_IFCTranslatorIdentifier>& translators)
{
    SIM_ENTER("ACAPI_IFC_GetIFCExportTranslatorsList");
    translators.Clear();
    Int32 reference = 0;
    for (const std::string& name : Host::Get().GetProject().ifcTranslators.Names()) {
        API_IFCTranslatorIdentifier translator;
        translator.name = GS::UniString(name);
        ++reference;
        translator.innerReference = sim::TranslatorReference(reference);
        translators.Push(translator);
    }
    return NoError;
}

GSErrCode sim::calls::SaveIfc(const API_FileSavePars* save, const API_SavePars_Ifc* ifc)
{
    // Saving is a complete operation: never inside a command.
    if (GSErrCode refused = Host::Get().GetCommands().CompleteOperation(); refused != NoError)
        return refused;
    if (save == nullptr)
        return APIERR_BADPARS;
    if (save->fileTypeID != APIFType_IfcFile || save->file == nullptr || ifc == nullptr)
        return APIERR_BADPARS; // the stand-alone host saves IFC files only
    if (!Host::Get().GetProject().ifcTranslators.Has(ifc->translatorIdentifier.name.ToUtf8()))
        return APIERR_BADPARS;
    const std::filesystem::path path(save->file->ToDisplayText().ToUtf8());
    if (path.empty() || path.is_relative() || !std::filesystem::is_directory(path.parent_path()))
        return APIERR_BADPARS;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << sim::WriteIfc(Host::Get().GetProject(), path.filename().string(), Host::Get().Timestamp());
    return file.flush() ? NoError : APIERR_GENERAL;
}
