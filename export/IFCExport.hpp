#pragma once
// Saves the project as an IFC file in the folder "Korvel IFC" and uploads it to the
// service with the page's address, token, context and content type.
#include "GS/Array.hpp"
#include "GS/Ref.hpp"
#include "GS/UniString.hpp"
#include "IOLocation.hpp"

namespace KRV {

class IFCExport {
public:
    explicit IFCExport(GS::Ref<GS::Array<GS::UniString>> args) : args(std::move(args)) {}

    // True when the file was saved and the service took it.
    bool Export();
    // A host error code; 0 when the file was saved.
    GSErrCode SaveIfcFile();
    bool UploadFile();

    // "" when the host has no such folder or it cannot be made.
    IO::Location GetIfcFolderLocation();
    // The project's name ("" when it has none); a read the host cannot do is answered (logged).
    GSErrCode GetProjectName(GS::UniString& name);
    // Whether the saved file can be opened for reading; a file error code, 0 when it can.
    GSErrCode ReadIfcFile(GS::UniString& text);
    static void ParseHeader(const GS::UniString& header, GS::Array<GS::UniString>& values);

private:
    GS::Ref<GS::Array<GS::UniString>> args;
    IO::Location ifcLocation;
};

} // namespace KRV
