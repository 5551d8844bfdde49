// Library parts as the host keeps them: records with fixed name fields and a location the
// host allocates, parameters and sections in handles, and the project's libraries.
#include "LibraryParts.hpp"

#include <vector>

#include "ACAPinc.h"
#include "APIdefs_Environment.h"
#include "CatchAll.hpp"
#include "internal/Generation.hpp"
#include "internal/Records.hpp"

namespace KRV::port {

struct LibraryPartRecord::Record {
    API_LibPart part{};
};

struct LibPartParameters::Record {
    API_AddParType** handle = nullptr;
    std::vector<API_AddParType> made; // the list being made
    void Release()
    {
        if (handle != nullptr)
            ACAPI_DisposeAddParHdl(&handle);
        handle = nullptr;
    }
};

struct ParameterSection::Record {
    API_LibPartSection section{};
    GSHandle handle = nullptr;
    GS::UniString text;
};

struct LibraryList::Record {
    GS::Array<API_LibraryInfo> libraries;
};

namespace {

// Deletes the location the host leaves in a library part record, unless it is the caller's own.
class LocationGuard {
public:
    explicit LocationGuard(API_LibPart& part, const IO::Location* own = nullptr) : part(part), own(own) {}
    ~LocationGuard()
    {
        NothingEscapes("LibPartLocationGuard", [&] {
            if (part.location != own)
                delete part.location;
            part.location = nullptr;
        });
    }
    LocationGuard(const LocationGuard&) = delete;
    LocationGuard& operator=(const LocationGuard&) = delete;

private:
    API_LibPart& part;
    const IO::Location* own;
};

} // namespace

GSErrCode SearchLibraryPart(const GS::UniString& name, GS::UniString& found)
{
    API_LibPart part{};
    CopyText(part.docu_UName, name.ToUtf8());
    LocationGuard location(part);
    const GSErrCode err = gen::LibPartSearch(&part);
    if (err == NoError)
        found = GS::UniString(FieldText(part.docu_UName));
    return err;
}

GSErrCode LibraryPartAt(Int32 index, std::string& uniqueId, GS::UniString& name)
{
    API_LibPart part{};
    part.index = index;
    LocationGuard location(part);
    const GSErrCode err = gen::LibPartGet(&part);
    if (err == NoError) {
        uniqueId = FieldText(part.ownUnID);
        name = GS::UniString(FieldText(part.docu_UName));
    }
    return err;
}

GSErrCode LibraryPartNameById(const std::string& uniqueId, GS::UniString& name)
{
    API_LibPart part{};
    CopyText(part.ownUnID, uniqueId);
    LocationGuard location(part);
    const GSErrCode err = gen::LibPartSearch(&part);
    if (err == NoError)
        name = GS::UniString(FieldText(part.docu_UName));
    return err;
}

LibraryPartRecord::LibraryPartRecord() : record(std::make_unique<Record>()) {}
LibraryPartRecord::~LibraryPartRecord() = default;
LibraryPartRecord::LibraryPartRecord(const LibraryPartRecord& other) : record(std::make_unique<Record>(*other.record))
{
}
LibraryPartRecord& LibraryPartRecord::operator=(const LibraryPartRecord& other)
{
    *record = *other.record;
    return *this;
}

Int32 LibraryPartRecord::Index() const
{
    return record->part.index;
}

GS::UniString LibraryPartRecord::Name() const
{
    return GS::UniString(FieldText(record->part.docu_UName));
}

GSErrCode RegisterObject(const GS::UniString& name, const IO::Location& file, bool placeable,
                         LibraryPartRecord& registered)
{
    API_LibPart record{};
    record.typeID = APILib_ObjectID;
    CopyText(record.docu_UName, name.ToUtf8());
    CopyText(record.file_UName, name.ToUtf8());
    record.isTemplate = false;
    record.isPlaceable = placeable;
    IO::Location location = file;
    record.location = &location;
    GSErrCode err = NoError;
    {
        LocationGuard release(record, &location);
        err = gen::LibPartRegister(&record);
    }
    if (err == NoError)
        registered.Host().part = record;
    return err;
}

LibPartParameters::LibPartParameters() : record(std::make_unique<Record>()) {}

LibPartParameters::~LibPartParameters()
{
    NothingEscapes("ParametersGuard", [&] { record->Release(); });
}

std::size_t LibPartParameters::Count() const
{
    if (record->handle == nullptr || *record->handle == nullptr)
        return 0;
    return static_cast<std::size_t>(BMGetHandleSize(reinterpret_cast<GSHandle>(record->handle))) /
           sizeof(API_AddParType);
}

LibPartParameters::Kind LibPartParameters::KindOf(std::size_t i) const
{
    const API_AddParID type = (*record->handle)[i].typeID;
    return type == APIParT_CString ? Kind::text : type == APIParT_Title ? Kind::title : Kind::other;
}

std::string LibPartParameters::Name(std::size_t i) const
{
    return FieldText((*record->handle)[i].name);
}

std::string LibPartParameters::Description(std::size_t i) const
{
    return FieldText((*record->handle)[i].uDescname);
}

void LibPartParameters::Take(const LibPartParameters& from, std::size_t i)
{
    record->made.push_back((*from.record->handle)[i]);
}

void LibPartParameters::AddTitle(const std::string& name, const std::string& description)
{
    API_AddParType title{};
    title.typeID = APIParT_Title;
    CopyText(title.name, name);
    CopyText(title.uDescname, description);
    record->made.push_back(title);
}

void LibPartParameters::AddText(const std::string& name, const std::string& description, const std::string& value)
{
    API_AddParType text{};
    text.typeID = APIParT_CString;
    CopyText(text.name, name);
    CopyText(text.uDescname, description);
    CopyText(text.value.uStr, value);
#if KORVEL_HOST_GENERATION < 29
    text.valueDescriptionFlag = 1; // generation 29's record has no such flag
#endif
    record->made.push_back(text);
}

bool LibPartParameters::Make()
{
    record->Release();
    const std::vector<API_AddParType>& items = record->made;
    GSHandle h = BMAllocateHandle(static_cast<GSSize>(items.size() * sizeof(API_AddParType)), ALLOCATE_CLEAR, 0);
    if (h == nullptr)
        return false;
    if (!items.empty())
        std::memcpy(*h, items.data(), items.size() * sizeof(API_AddParType));
    record->handle = reinterpret_cast<API_AddParType**>(h);
    return true;
}

GSErrCode ReadParameters(Int32 part, LibPartParameters& parameters)
{
    parameters.Host().Release();
    double a = 0, b = 0;
    Int32 count = 0;
    return gen::LibPartGetParams(part, &a, &b, &count, &parameters.Host().handle);
}

ParameterSection::ParameterSection() : record(std::make_unique<Record>())
{
    record->section.sectType = API_SectParamDef;
}

ParameterSection::~ParameterSection()
{
    NothingEscapes("HandleGuard", [&] { BMKillHandle(&record->handle); });
}

GSErrCode ReadParameterSection(Int32 part, ParameterSection& section)
{
    ParameterSection::Record& host = section.Host();
    return gen::LibPartGetSection(part, &host.section, &host.handle, &host.text);
}

GSErrCode AddParameterSection(Int32 part, ParameterSection& section)
{
    GSHandle empty = BMAllocateHandle(0, ALLOCATE_CLEAR, 0);
    if (empty == nullptr)
        return APIERR_MEMFULL;
    ParameterSection::Record& host = section.Host();
    const GSErrCode err = gen::LibPartAddSection(part, &host.section, empty, host.text);
    BMKillHandle(&empty);
    return err;
}

GSErrCode WriteParameterSection(const LibraryPartRecord& part, ParameterSection& section, LibPartParameters& parameters,
                                const GS::UniString& text, const char*& failedCall)
{
    const API_LibPart& record = part.Host().part;
    GSHandle built = nullptr;
    double a = 0, b = 0;
    failedCall = buildSectionCall;
    GSErrCode err = gen::LibPartBuildSection(&record, parameters.Host().handle, &a, &b, &built);
    struct Release {
        GSHandle& handle;
        ~Release()
        {
            NothingEscapes("HandleGuard", [&] { BMKillHandle(&handle); });
        }
    } release{built};
    if (err != NoError)
        return err;
    API_LibPartDetails details{};
#if KORVEL_HOST_GENERATION >= 29
    // No oversize parameter names here: a door's or window's details take the parameters as
    // the expressions of its frame thickness and its four frames.
    CopyText(details.wind.mirThickExpr, "gs_frame_thk");
    CopyText(details.wind.leftFramExpr, "ac_left_oversize");
    CopyText(details.wind.righFramExpr, "ac_right_oversize");
    CopyText(details.wind.topFramExpr, "ac_upper_oversize");
    CopyText(details.wind.botFramExpr, "ac_lower_oversize");
    failedCall = setDetailsCall;
    if (err = ACAPI_LibraryPart_SetDetails_ParamDef(&record, built, &details); err != NoError)
        return err;
#else
    CopyText(details.thickParName, "gs_frame_thk");
    CopyText(details.leftOversizeParName, "ac_left_oversize");
    CopyText(details.rightOversizeParName, "ac_right_oversize");
    CopyText(details.upperOversizeParName, "ac_upper_oversize");
    CopyText(details.lowerOversizeParName, "ac_lower_oversize");
    failedCall = setDetailsCall;
    if (err = ACAPI_LibPart_SetDetails_ParamDef(&record, built, &details); err != NoError)
        return err;
#endif
    failedCall = updateSectionCall;
    err = gen::LibPartUpdateSection(record.index, &section.Host().section, built, text);
    if (err == NoError)
        failedCall = nullptr;
    return err;
}

LibraryList::LibraryList() : record(std::make_unique<Record>()) {}
LibraryList::~LibraryList() = default;

std::size_t LibraryList::Count() const
{
    return record->libraries.GetSize();
}

const IO::Location& LibraryList::Location(std::size_t i) const
{
    return record->libraries[static_cast<UIndex>(i)].location;
}

bool LibraryList::Lists(const IO::Location& location) const
{
    for (const API_LibraryInfo& library : record->libraries)
        if (library.location == location)
            return true;
    return false;
}

void LibraryList::Add(const IO::Location& location)
{
    API_LibraryInfo library;
    library.location = location;
    record->libraries.Push(library);
}

GSErrCode ReadLibraries(LibraryList& libraries, Int32* embedded)
{
    return gen::GetLibraries(&libraries.Host().libraries, embedded);
}

GSErrCode WriteLibraries(LibraryList& libraries)
{
    return gen::SetLibraries(&libraries.Host().libraries);
}

} // namespace KRV::port
