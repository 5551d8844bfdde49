// Library parts: search, registration, the parameter section and its parameters.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "APIdefs_LibParts.h"
#include "BM.h"
#include "Calls.hpp"
#include "Edge.hpp"
#include "Host.hpp"
#include "LibPartFile.hpp"
#include "RecordFields.hpp"

using sim::CopyText;
using sim::Host;
using sim::TextOf;

namespace {

sim::LibPartStore& Store()
{
    return Host::Get().GetProject().libParts;
}

void FillRecord(const sim::LibPart& part, API_LibPart& record)
{
    IO::Location* keep = nullptr;
    std::memset(&record, 0, sizeof(API_LibPart));
    record.typeID = sim::TypeIdOf(part.kind);
    record.index = part.index;
    CopyText(record.ownUnID, part.uniqueId);
    CopyText(record.docu_UName, part.name);
    CopyText(record.file_UName, part.fileName);
    record.isPlaceable = true;
    keep = new IO::Location(GS::UniString(part.location));
    record.location = keep;
}

// Parameters travel in handles of API_AddParType records.
GSHandle ParametersHandle(const std::vector<sim::LibPartParameter>& parameters)
{
    GSHandle handle =
        BMAllocateHandle(static_cast<GSSize>(parameters.size() * sizeof(API_AddParType)), ALLOCATE_CLEAR, 0);
    if (handle == nullptr)
        return nullptr;
    auto* records = reinterpret_cast<API_AddParType*>(*handle);
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const sim::LibPartParameter& p = parameters[i];
        API_AddParType& r = records[i];
        r.typeID = sim::TypeIdOf(p.type);
        r.index = static_cast<short>(i);
        CopyText(r.name, p.name);
        CopyText(r.uDescname, p.description);
        sim::SetValueDescriptionFlag(r, p.valueDescriptionFlag);
        if (p.type == sim::ParamType::text || p.type == sim::ParamType::title)
            CopyText(r.value.uStr, p.value);
        else
            r.value.real = std::strtod(p.value.c_str(), nullptr);
    }
    return handle;
}

std::vector<sim::LibPartParameter> ParametersOf(GSHandle handle)
{
    std::vector<sim::LibPartParameter> parameters;
    if (handle == nullptr || *handle == nullptr)
        return parameters;
    const std::size_t count = static_cast<std::size_t>(BMGetHandleSize(handle)) / sizeof(API_AddParType);
    const auto* records = reinterpret_cast<const API_AddParType*>(*handle);
    for (std::size_t i = 0; i < count; ++i) {
        const API_AddParType& r = records[i];
        sim::LibPartParameter p;
        p.type = sim::TypeOf(r.typeID);
        p.name = TextOf(r.name);
        p.description = TextOf(r.uDescname);
        p.valueDescriptionFlag = sim::ValueDescriptionFlagOf(r);
        if (r.typeID == APIParT_CString || r.typeID == APIParT_Title) {
            p.value = TextOf(r.value.uStr);
        } else {
            char number[64];
            std::snprintf(number, sizeof number, "%g", r.value.real);
            p.value = number;
        }
        parameters.push_back(p);
    }
    return parameters;
}

GSHandle CopyHandle(GSHandle source)
{
    const GSSize size = BMGetHandleSize(source);
    GSHandle copy = BMAllocateHandle(size, ALLOCATE_CLEAR, 0);
    if (copy != nullptr && size > 0)
        std::memcpy(*copy, *source, static_cast<std::size_t>(size));
    return copy;
}

} // namespace

GSErrCode sim::calls::LibPart_Search(API_LibPart* ancestor, bool, bool)
{
    if (ancestor == nullptr)
        return APIERR_BADPARS;
    const std::string uniqueId = TextOf(ancestor->ownUnID);
    const sim::LibPart* part =
        !uniqueId.empty() ? Store().FindByUniqueId(uniqueId) : Store().FindByName(TextOf(ancestor->docu_UName));
    if (part == nullptr)
        return uniqueId.empty() ? APIERR_BADNAME : APIERR_BADID;
    FillRecord(*part, *ancestor);
    return NoError;
}

GSErrCode sim::calls::LibPart_Get(API_LibPart* libPart)
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    const sim::LibPart* part = Store().Find(libPart->index);
    if (part == nullptr)
        return APIERR_BADINDEX;
    FillRecord(*part, *libPart);
    return NoError;
}

GSErrCode sim::calls::LibPart_Register(API_LibPart* libPart)
{
    if (libPart == nullptr || libPart->location == nullptr)
        return APIERR_BADPARS;
    const std::filesystem::path path(libPart->location->ToDisplayText().ToUtf8());
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return APIERR_BADPARS;
    nlohmann::json document = nlohmann::json::parse(file, nullptr, false);
    sim::LibPart part;
    try {
        part = sim::ReadLibPart(document);
    } catch (const sim::LibPartFileError&) {
        return APIERR_BADPARS; // not a library part file
    }
    // The host names a part after its file, without the extension.
    part.fileName = path.filename().string();
    part.name = path.stem().string();
    part.location = path.string();
    const sim::LibPart& stored = Store().Put(part);
    IO::Location* location = libPart->location;
    FillRecord(stored, *libPart);
    delete libPart->location;
    libPart->location = location;
    return NoError;
}

GSErrCode sim::calls::LibPart_GetSection(Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl,
                                         GS::UniString* sectionStr, GS::UniString*)
{
    sim::LibPart* part = Store().Find(libInd);
    if (part == nullptr || section == nullptr || sectionHdl == nullptr)
        return APIERR_BADPARS;
    if (section->sectType != API_SectParamDef || !part->hasParamSection)
        return APIERR_NOLIBSECT;
    *sectionHdl = ParametersHandle(part->parameters);
    if (*sectionHdl == nullptr)
        return APIERR_MEMFULL;
    if (sectionStr != nullptr)
        *sectionStr = GS::UniString(part->sectionText);
    return NoError;
}

// A section written into a part is written into its file too, as the application writes the
// library part file: registering that file again gives the part as it was last written.
GSErrCode sim::calls::LibPart_WriteSection(Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl,
                                           const GS::UniString* sectionStr, bool onlyExisting)
{
    sim::LibPart* part = Store().Find(libInd);
    if (onlyExisting && part != nullptr && !part->hasParamSection)
        return APIERR_NOLIBSECT;
    if (part == nullptr || section == nullptr || section->sectType != API_SectParamDef)
        return APIERR_BADPARS;
    sim::LibPart changed = *part;
    changed.hasParamSection = true;
    changed.parameters = ParametersOf(sectionHdl);
    if (sectionStr != nullptr)
        changed.sectionText = sectionStr->ToUtf8();
    if (!changed.location.empty() && std::filesystem::is_regular_file(changed.location)) {
        std::ofstream file(changed.location, std::ios::binary | std::ios::trunc);
        file << sim::WriteLibPart(changed).dump(1);
        if (!file.flush())
            return APIERR_GENERAL;
    }
    *part = std::move(changed);
    return NoError;
}

GSErrCode sim::calls::LibPart_GetParams(Int32 libInd, double* a, double* b, Int32* addParNum, API_AddParType*** addPars)
{
    sim::LibPart* part = Store().Find(libInd);
    if (part == nullptr || addPars == nullptr)
        return APIERR_BADPARS;
    if (a != nullptr)
        *a = 1.0;
    if (b != nullptr)
        *b = 1.0;
    GSHandle handle = ParametersHandle(part->parameters);
    if (handle == nullptr)
        return APIERR_MEMFULL;
    *addPars = reinterpret_cast<API_AddParType**>(handle);
    if (addParNum != nullptr)
        *addParNum = static_cast<Int32>(part->parameters.size());
    return NoError;
}

GSErrCode sim::calls::LibPart_GetSect_ParamDef(const API_LibPart* libPart, API_AddParType** addPars, double*, double*,
                                               GSHandle, GSHandle* sectHdl, GS::UniString*)
{
    if (libPart == nullptr || sectHdl == nullptr)
        return APIERR_BADPARS;
    if (addPars == nullptr) {
        *sectHdl = BMAllocateHandle(0, ALLOCATE_CLEAR, 0);
    } else {
        *sectHdl = CopyHandle(reinterpret_cast<GSHandle>(addPars));
    }
    return *sectHdl != nullptr ? NoError : APIERR_MEMFULL;
}

GSErrCode sim::calls::LibPart_SetDetails(const API_LibPart* libPart, const sim::LibPart::Details* details)
{
    if (libPart == nullptr || details == nullptr)
        return APIERR_BADPARS;
    sim::LibPart* part = Store().Find(libPart->index);
    if (part == nullptr)
        return APIERR_BADINDEX;
    part->details = *details;
    return NoError;
}

GSErrCode ACAPI_DisposeAddParHdl(API_AddParType*** addPars)
{
    SIM_ENTER("ACAPI_DisposeAddParHdl");
    if (addPars == nullptr)
        return APIERR_BADPARS;
    BMKillHandle(reinterpret_cast<GSHandle*>(addPars));
    return NoError;
}
