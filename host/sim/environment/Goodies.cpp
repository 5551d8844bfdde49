// Host goodies (priorities, the library part of an element, element type names) and the clock.
#include <cstring>
#include <ctime>
#include <map>

#include "APIdefs_Elements.h"
#include "APIdefs_LibParts.h"
#include "APIdefs_UserData.h"
#include "Host.hpp"

using sim::Host;

namespace {

GSErrCode ElementPriority(void* par1, void* par2)
{
    if (par1 == nullptr || par2 == nullptr)
        return APIERR_BADPARS;
    Int32 ui = *static_cast<Int32*>(par1);
    if (ui < 0 || ui > 16)
        return APIERR_BADPARS;
    *static_cast<Int32*>(par2) = ui * 2 + 1;
    return NoError;
}

GSErrCode ElementLibPartUniqueId(void* par1, void* par2)
{
    if (par1 == nullptr || par2 == nullptr)
        return APIERR_BADPARS;
    const auto* head = static_cast<const API_Elem_Head*>(par1);
    const sim::Element* e = Host::Get().GetProject().elements.Find(head->guid);
    if (e == nullptr)
        return APIERR_BADID;
    if (!sim::IsPlacedFromLibraryPart(e->kind))
        return APIERR_BADELEMENTTYPE;
    char* out = static_cast<char*>(par2);
    std::memset(out, 0, API_UniIDLen);
    std::memcpy(out, e->libraryPart.data(), std::min<std::size_t>(e->libraryPart.size(), API_UniIDLen - 1));
    return NoError;
}

} // namespace

GSErrCode ACAPI_Goodies(GSType code, void* par1, void* par2)
{
    SIM_ENTER_REQUEST("ACAPI_Goodies", code);
    switch (code) {
    case APIAny_UI2ElemPriorityID:
        return ElementPriority(par1, par2);
    case APIAny_GetElemLibPartUnIdID:
        return ElementLibPartUniqueId(par1, par2);
    default:
        return APIERR_BADPARS;
    }
}

GSErrCode ACAPI_Goodies_GetElemTypeName(API_ElemTypeID type, GS::UniString& name)
{
    SIM_ENTER("ACAPI_Goodies_GetElemTypeName");
    // The host's user interface language here is German, as the sample projects are.
    static const std::map<API_ElemTypeID, const char*> names = {
        {API_WallID, "Wand"},
        {API_ColumnID, "Stütze"},
        {API_BeamID, "Unterzug"},
        {API_WindowID, "Fenster"},
        {API_DoorID, "Tür"},
        {API_ObjectID, "Objekt"},
        {API_LampID, "Lampe"},
        {API_SlabID, "Decke"},
        {API_RoofID, "Dach"},
        {API_CurtainWallID, "Fassade"},
        {API_CurtainWallSegmentID, "Fassadensegment"},
        {API_CurtainWallFrameID, "Fassadenprofil"},
        {API_CurtainWallPanelID, "Fassadenpaneel"},
        {API_CurtainWallJunctionID, "Fassadenverbindung"},
        {API_CurtainWallAccessoryID, "Fassadenzubehör"},
        {API_StairID, "Treppe"},
        {API_RiserID, "Setzstufe"},
        {API_TreadID, "Trittstufe"},
        {API_StairStructureID, "Treppenstruktur"},
    };
    auto it = names.find(type);
    if (it == names.end())
        return APIERR_BADELEMENTTYPE;
    name = it->second;
    return NoError;
}

void TIGetTimeRecord(GSTimeRecord* record)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    record->year = static_cast<short>(local.tm_year + 1900);
    record->month = static_cast<short>(local.tm_mon + 1);
    record->day = static_cast<short>(local.tm_mday);
    record->hour = static_cast<short>(local.tm_hour);
    record->minute = static_cast<short>(local.tm_min);
    record->second = static_cast<short>(local.tm_sec);
}
