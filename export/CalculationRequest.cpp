// The page's "getCalculationData" and "updateStatus": one reply text each.
#include "APIdefs_Elements.h"
#include "CatchAll.hpp"
#include "ErrorMessages.hpp"
#include "ExportManager.hpp"
#include "Exports.hpp"
#include "IFCExport.hpp"

namespace KRV {

namespace {

// The take-off is read on the floor plan; whatever was current before is current again
// afterwards, on every path out. When the current database cannot be read, nothing is
// switched: it could not be made current again.
class OnFloorPlan {
public:
    OnFloorPlan()
    {
        if (GSErrCode err = ACAPI_Database(APIDb_GetCurrentDatabaseID, &previous); err != NoError) {
            LogArchicadErrorCodeMessage(err, "ExportCalculationData::ACAPI_Database GetCurrentDatabase");
            return;
        }
        if (previous.typeID == APIWind_FloorPlanID) {
            onFloorPlan = true;
            return;
        }
        API_DatabaseInfo floorPlan{};
        floorPlan.typeID = APIWind_FloorPlanID;
        if (GSErrCode err = ACAPI_Database(APIDb_ChangeCurrentDatabaseID, &floorPlan); err != NoError) {
            LogArchicadErrorCodeMessage(err, "ExportCalculationData::ACAPI_Database ChangeCurrentDatabase");
            return;
        }
        onFloorPlan = switched = true;
    }
    // A failed switch back is tried once more, each failure logged.
    ~OnFloorPlan()
    {
        if (!switched)
            return;
        for (int attempt = 0; attempt < 2; ++attempt) {
            GSErrCode err = APIERR_GENERAL;
            NothingEscapes("ExportCalculationData: making the user's database current again", [&] {
                err = ACAPI_Database(APIDb_ChangeCurrentDatabaseID, &previous);
                if (err != NoError)
                    LogArchicadErrorCodeMessage(err,
                                                "ExportCalculationData::ACAPI_Database ChangeCurrentDatabase back");
            });
            if (err == NoError)
                return;
        }
    }
    OnFloorPlan(const OnFloorPlan&) = delete;
    OnFloorPlan& operator=(const OnFloorPlan&) = delete;
    bool OnIt() const { return onFloorPlan; }

private:
    API_DatabaseInfo previous{};
    bool onFloorPlan = false;
    bool switched = false;
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
        if (!floorPlan.OnIt())
            return false; // logged; the take-off is only read on the floor plan
        ExportManager manager;
        reply["SystemInfo"] = manager.CalculateComposites();
        reply["ProductInfo"] = manager.CalculateObjects();
        reply["CurtainWallInfo"] = manager.CalculateCurtainWalls();
        reply["StairCalculationInfo"] = manager.CalculateStairs();
        if (!manager.Complete())
            return false; // logged: elements the host would not list are not in it
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
