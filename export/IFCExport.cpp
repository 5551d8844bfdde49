// Saves the project as an IFC file in the folder "Korvel IFC" and uploads it to the service.
#include "IFCExport.hpp"

#include <cstring>
#include <fstream>

#include "Address.hpp"
#include "DG/Panel.hpp"
#include "Environment.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "Ifc.hpp"
#include "Logger.hpp"
#include "Names.hpp"
#include "Texts.hpp"
#include "Upload.hpp"

namespace KRV {

namespace {

constexpr const char* userAgent = "Korvel Archicad Plugin";

bool Refuse(const std::string& why)
{
    LogError("IFC export: " + why);
    return false;
}

} // namespace

void IFCExport::ParseHeader(const GS::UniString& header, GS::Array<GS::UniString>& values)
{
    std::string text = header.ToUtf8();
    text = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
    std::string kept;
    for (char c : text)
        if (c != '{' && c != '}' && c != '"')
            kept += c;
    std::size_t from = 0;
    while (from <= kept.size()) {
        const std::size_t comma = kept.find(',', from);
        const std::string part = kept.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (!part.empty()) {
            const std::size_t colon = part.find(':');
            values.Push(GS::UniString(colon == std::string::npos ? part : part.substr(colon + 1)));
        }
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
}

GSErrCode IFCExport::GetProjectName(GS::UniString& name)
{
    if (GSErrCode err = port::ProjectName(name); err != NoError) {
        LogArchicadErrorCodeMessage(err, "IFCExport::GetProjectName - ", port::projectNameCall);
        return err;
    }
    return NoError;
}

IO::Location IFCExport::GetIfcFolderLocation()
{
    IO::Location folder;
    if (GSErrCode err = port::SpecialFolder(port::Folder::applicationData, folder); err != NoError) {
        LogArchicadErrorCodeMessage(err, "IFCExport::GetIfcFolderLocation - ", port::specialFolderCall);
        return IO::Location();
    }
    if (folder.AppendToLocal(IO::Name("Korvel IFC")) != NoError)
        return IO::Location();
    IO::Folder created(folder, IO::Folder::Create);
    if (created.GetStatus() != NoError)
        return IO::Location();
    return folder;
}

GSErrCode IFCExport::SaveIfcFile()
{
    port::IfcTranslators translators;
    if (GSErrCode err = translators.Read(); err != NoError) {
        LogArchicadErrorCodeMessage(err, "IFCExport::SaveIfcFile - ", port::ifcTranslatorsCall);
        return err;
    }
    const long translator = translators.Find(texts::ifcTranslatorName);
    if (translator < 0) {
        DG::InformationAlert(texts::IfcTranslatorMissing(), texts::ifcTranslatorName, texts::okButton);
        return texts::notHandled;
    }
    GS::UniString projectName;
    if (GSErrCode err = GetProjectName(projectName); err != NoError)
        return err; // logged
    if (projectName.IsEmpty()) {
        DG::InformationAlert(texts::projectWithoutName, texts::exportAborted, texts::okButton);
        return texts::notHandled;
    }
    std::string ifcName;
    if (!net::IfcFileName(projectName.ToUtf8(), ifcName)) {
        LogError("IFC export: the project's name \"" + projectName.ToUtf8() + "\" is no file name.");
        return hosterr::badName;
    }
    const GS::UniString fileName(ifcName);
    IO::Location folder = GetIfcFolderLocation();
    if (folder.IsEmpty()) {
        LogError("IFC export: the folder \"Korvel IFC\" could not be made.");
        return hosterr::general;
    }
    if (GSErrCode err = folder.AppendToLocal(IO::Name(fileName)); err != NoError) {
        LogError("IFC export: \"" + fileName.ToUtf8() + "\" cannot be a file in the folder \"Korvel IFC\".");
        return err;
    }
    ifcLocation = folder;
    GSErrCode err = translators.SaveProject(translator, ifcLocation);
    if (err != NoError)
        LogArchicadErrorCodeMessage(err, "IFCExport::SaveIfcFile - ", port::saveIfcCall);
    return err;
}

GSErrCode IFCExport::ReadIfcFile(GS::UniString&)
{
    // libcurl reads the file from its path; here it only has to open.
    std::ifstream file(ifcLocation.ToDisplayText().ToUtf8(), std::ios::binary);
    return file.is_open() ? NoError : IO::FileSystem::TargetNotFound;
}

bool IFCExport::UploadFile()
{
    GS::Array<GS::UniString> values;
    ParseHeader((*args)[1], values);
    GS::UniString unused;
    if (GSErrCode err = ReadIfcFile(unused); err != NoError)
        return Refuse("the saved file " + ifcLocation.ToDisplayText().ToUtf8() + " cannot be read.");
    net::UploadRequest request;
    request.address = (*args)[0].ToUtf8();
    request.headers = {"Authorization: Bearer " + values[0].ToUtf8(), "Context: " + values[1].ToUtf8(),
                       "Content-Type: " + values[2].ToUtf8()};
    request.userAgent = userAgent;
    request.partName = "file";
    request.file = ifcLocation.ToDisplayText().ToUtf8();
    return net::Upload(request);
}

bool IFCExport::Export()
{
    // What the page must send: the address and a header text of token, context and content type.
    if (args == nullptr || args->GetSize() < 2)
        return Refuse("the page sent fewer than two texts (the address and the header).");
    GS::Array<GS::UniString> values;
    ParseHeader((*args)[1], values);
    if (values.GetSize() < 3)
        return Refuse("the header text holds fewer than three values (token, context, content type).");
    for (UIndex i = 0; i < 3; ++i)
        if (!net::IsSafeHeaderValue(values[i].ToUtf8()))
            return Refuse("a header value holds a line break or a zero byte.");
    std::string reason;
    if (!net::IsAllowedAddress((*args)[0].ToUtf8(), &reason))
        return Refuse("the upload address is refused: " + reason + ".");
    if (SaveIfcFile() != NoError)
        return false;
    return UploadFile();
}

} // namespace KRV
