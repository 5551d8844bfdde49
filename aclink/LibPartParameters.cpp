// The catalogue's parameters of a library part: a title "KV_" and one text "KV_" per
// catalogue property, replaced on every import.
#include <cstring>
#include <vector>

#include "ACLink.hpp"
#include "CatchAll.hpp"
#include "DBPrintf.h"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "HostMemory.hpp"
#include "HostText.hpp"
#include "KorvelLibraryPart.hpp"
#include "Logger.hpp"
#include "Texts.hpp"

namespace KRV {

namespace {

constexpr const char* catalogueName = texts::recordPrefix;

bool IsCatalogueParameter(const API_AddParType& parameter)
{
    return (parameter.typeID == APIParT_CString || parameter.typeID == APIParT_Title) &&
           std::strncmp(parameter.name, catalogueName, 3) == 0;
}

// A parameter list handle, released on every path.
class ParametersGuard {
public:
    ParametersGuard() = default;
    ~ParametersGuard()
    {
        NothingEscapes("ParametersGuard", [&] { Release(); });
    }
    ParametersGuard(const ParametersGuard&) = delete;
    ParametersGuard& operator=(const ParametersGuard&) = delete;
    API_AddParType*** Out()
    {
        Release();
        return &handle;
    }
    API_AddParType** Get() const { return handle; }
    std::vector<API_AddParType> Items() const
    {
        std::vector<API_AddParType> items;
        if (handle == nullptr || *handle == nullptr)
            return items;
        const auto count =
            static_cast<std::size_t>(BMGetHandleSize(reinterpret_cast<GSHandle>(handle))) / sizeof(API_AddParType);
        items.assign(*handle, *handle + count);
        return items;
    }
    // A new list holding `items`; false when the host has no memory for it.
    bool Make(const std::vector<API_AddParType>& items)
    {
        Release();
        GSHandle h = BMAllocateHandle(static_cast<GSSize>(items.size() * sizeof(API_AddParType)), ALLOCATE_CLEAR, 0);
        if (h == nullptr)
            return false;
        if (!items.empty())
            std::memcpy(*h, items.data(), items.size() * sizeof(API_AddParType));
        handle = reinterpret_cast<API_AddParType**>(h);
        return true;
    }

private:
    void Release()
    {
        if (handle != nullptr)
            ACAPI_DisposeAddParHdl(&handle);
        handle = nullptr;
    }
    API_AddParType** handle = nullptr;
};

// Builds the parameter section from `parameters` and writes it back with `text`; a host
// error code, logged with the call that failed.
GSErrCode WriteSection(const API_LibPart& record, API_LibPartSection& section, const ParametersGuard& parameters,
                       const GS::UniString& text)
{
    GSHandle built = nullptr;
    double a = 0, b = 0;
    GSErrCode err = ACAPI_LibPart_GetSect_ParamDef(&record, parameters.Get(), &a, &b, nullptr, &built);
    HandleGuard sectionHandle(built);
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "ReplaceCatalogueParameters::ACAPI_LibPart_GetSect_ParamDef");
        return err;
    }
    API_LibPartDetails details{};
    CopyText(details.thickParName, "gs_frame_thk");
    CopyText(details.leftOversizeParName, "ac_left_oversize");
    CopyText(details.rightOversizeParName, "ac_right_oversize");
    CopyText(details.upperOversizeParName, "ac_upper_oversize");
    CopyText(details.lowerOversizeParName, "ac_lower_oversize");
    if (err = ACAPI_LibPart_SetDetails_ParamDef(&record, sectionHandle.Get(), &details); err != NoError) {
        LogArchicadErrorCodeMessage(err, "ReplaceCatalogueParameters::ACAPI_LibPart_SetDetails_ParamDef");
        return err;
    }
    if (err = ACAPI_LibPart_UpdateSection(record.index, &section, sectionHandle.Get(), &text); err != NoError)
        LogArchicadErrorCodeMessage(err, "ReplaceCatalogueParameters::ACAPI_LibPart_UpdateSection");
    return err;
}

} // namespace

GSErrCode ReplaceCatalogueParameters(LibraryPart& item)
{
    const auto* catalogue = dynamic_cast<const KorvelLibraryPart*>(&item);
    if (catalogue == nullptr)
        return NoError;
    API_LibPart record = item.GetLibPart();
    API_LibPartSection section{};
    section.sectType = API_SectParamDef;
    GSHandle sectionHdl = nullptr;
    GS::UniString sectionText;
    GSErrCode err = ACAPI_LibPart_GetSection(record.index, &section, &sectionHdl, &sectionText);
    HandleGuard sectionGuard(sectionHdl);
    if (err == hosterr::noLibrarySection) {
        // No parameter section yet: an empty one to write the catalogue's into.
        HandleGuard empty(BMAllocateHandle(0, ALLOCATE_CLEAR, 0));
        err = empty.Get() == nullptr ? hosterr::memoryFull
                                     : ACAPI_LibPart_AddSection(record.index, &section, empty.Get(), &sectionText);
        if (err != NoError) {
            LogArchicadErrorCodeMessage(err, "ReplaceCatalogueParameters::ACAPI_LibPart_AddSection");
            return err;
        }
    } else if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "ReplaceCatalogueParameters::ACAPI_LibPart_GetSection");
        return err;
    }
    // The part's own parameters: unread, writing the section would lose them.
    ParametersGuard old;
    double a = 0, b = 0;
    Int32 count = 0;
    if (err = ACAPI_LibPart_GetParams(record.index, &a, &b, &count, old.Out()); err != NoError) {
        LogArchicadErrorCodeMessage(err, "ReplaceCatalogueParameters::ACAPI_LibPart_GetParams");
        return err;
    }
    std::vector<API_AddParType> parameters;
    int position = 0;
    for (const API_AddParType& parameter : old.Items()) {
        if (IsCatalogueParameter(parameter))
            DBPrintf("Deleted name: %i - %s \n", position, parameter.uDescname);
        else
            parameters.push_back(parameter);
        ++position;
    }
    const int oldCount = static_cast<int>(parameters.size());
    DBPrintf("Old: %i \n", oldCount);

    API_AddParType title{};
    title.typeID = APIParT_Title;
    CopyText(title.name, catalogueName);
    CopyText(title.uDescname, "Korvel");
    parameters.push_back(title);
    position = oldCount + 1;
    for (const KorvelProperty& property : catalogue->GetProperties().GetProperties()) {
        API_AddParType text{};
        text.typeID = APIParT_CString;
        CopyText(text.name, catalogueName);
        CopyText(text.uDescname, property.GetName().ToUtf8());
        CopyText(text.value.uStr, property.GetValue().ToUtf8());
        text.valueDescriptionFlag = 1;
        parameters.push_back(text);
        ++position;
        DBPrintf("Created name: %i - %s \n", position, property.GetName().ToCStr().Get());
    }
    DBPrintf("i=: %i \n", position);

    ParametersGuard added;
    if (!added.Make(parameters)) {
        LogError("ReplaceCatalogueParameters: no memory for the parameters of " + item.GetName().ToUtf8() + ".");
        return hosterr::memoryFull;
    }
    if (err = WriteSection(record, section, added, "Korvel"); err != NoError)
        return err; // logged
    item.SetLibPart(record);
    return NoError;
}

} // namespace KRV
