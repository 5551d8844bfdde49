// The page's "getCalculationData" and "updateStatus": one reply text each.
#include "APIdefs_Elements.h"
#include "ExportManager.hpp"
#include "Exports.hpp"
#include "IFCExport.hpp"

namespace KRV {

namespace {

// The take-off is read on the floor plan; whatever was current before is current again
// afterwards, on every path out.
class OnFloorPlan {
public:
    OnFloorPlan()
    {
        ACAPI_Database(APIDb_GetCurrentDatabaseID, &previous);
        if (previous.typeID != APIWind_FloorPlanID) {
            API_DatabaseInfo floorPlan{};
            floorPlan.typeID = APIWind_FloorPlanID;
            ACAPI_Database(APIDb_ChangeCurrentDatabaseID, &floorPlan);
        }
    }
    ~OnFloorPlan() { ACAPI_Database(APIDb_ChangeCurrentDatabaseID, &previous); }
    OnFloorPlan(const OnFloorPlan&) = delete;
    OnFloorPlan& operator=(const OnFloorPlan&) = delete;

private:
    API_DatabaseInfo previous{};
};

// Indented by one blank; a stored text that is not UTF-8 shows replacement characters.
GS::UniString Reply(const json& reply)
{
    return GS::UniString(reply.dump(1, ' ', false, json::error_handler_t::replace));
}

} // namespace

bool ExportCalculationData(GS::UniString& text)
{
    json reply = json::object();
    {
        OnFloorPlan floorPlan;
        ExportManager manager;
        reply["SystemInfo"] = manager.CalculateComposites();
        reply["ProductInfo"] = manager.CalculateObjects();
        reply["CurtainWallInfo"] = manager.CalculateCurtainWalls();
        reply["StairCalculationInfo"] = manager.CalculateStairs();
    }
    text = Reply(reply);
    return true;
}

bool ExportUpdateStatus(GS::UniString& text)
{
    ExportManager manager;
    const json reply = manager.UpdateStatus(text);
    text = Reply(reply);
    return true;
}

bool ExportAndUploadIFC(GS::Ref<GS::Array<GS::UniString>> args)
{
    return IFCExport(std::move(args)).Export();
}

} // namespace KRV
