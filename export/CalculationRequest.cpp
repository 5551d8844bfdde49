// The page's "getCalculationData": the take-off's request, and its reply text.
#include "CatchAll.hpp"
#include "Environment.hpp"
#include "ErrorMessages.hpp"
#include "ExportManager.hpp"
#include "HostErrors.hpp"
#include "RequestScoped.hpp"
#include "TakeOffRequest.hpp"

namespace KRV {

namespace {

// The take-off is read on the floor plan; whatever was current before is current again
// afterwards, on every path out. When the current database cannot be read, nothing is
// switched: it could not be made current again.
class OnFloorPlan {
public:
    OnFloorPlan()
    {
        if (GSErrCode err = port::CurrentDatabase(previous); err != NoError) {
            Log(err, port::currentDatabaseCall, "");
            return;
        }
        if (previous.floorPlan) {
            onFloorPlan = true;
            return;
        }
        if (GSErrCode err = port::MakeCurrent(port::FloorPlan()); err != NoError) {
            Log(err, port::makeCurrentCall, "");
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
            GSErrCode err = hosterr::general;
            NothingEscapes("ExportCalculationData: making the user's database current again", [&] {
                err = port::MakeCurrent(previous);
                if (err != NoError)
                    Log(err, port::makeCurrentCall, " back");
            });
            if (err == NoError)
                return;
        }
    }
    OnFloorPlan(const OnFloorPlan&) = delete;
    OnFloorPlan& operator=(const OnFloorPlan&) = delete;
    bool OnIt() const { return onFloorPlan; }

private:
    static void Log(GSErrCode err, const char* call, const char* what)
    {
        LogArchicadErrorCodeMessage(err, (std::string("ExportCalculationData::") + call + what).c_str());
    }

    port::Database previous;
    bool onFloorPlan = false;
    bool switched = false;
};

} // namespace

TakeOffRequest::TakeOffRequest()
{
    RequestScoped<ReadCache>::Open();
}

TakeOffRequest::~TakeOffRequest()
{
    RequestScoped<ReadCache>::Close();
}

ReadCache& TakeOffRequest::Reads()
{
    return *RequestScoped<ReadCache>::Current();
}

bool ExportCalculationData(GS::UniString& text)
{
    // Read in this order; each part is written where its member will sit, and the members
    // are joined in the order of their names.
    std::string systems, products, curtainWalls, stairs;
    {
        TakeOffRequest request;
        OnFloorPlan floorPlan;
        if (!floorPlan.OnIt())
            return false; // logged; the take-off is only read on the floor plan
        ExportManager manager(request.Reads());
        JsonWriter systemsOut(systems, 1), productsOut(products, 1), curtainWallsOut(curtainWalls, 1),
            stairsOut(stairs, 1);
        manager.CalculateComposites(systemsOut);
        manager.CalculateObjects(productsOut);
        manager.CalculateCurtainWalls(curtainWallsOut);
        manager.CalculateStairs(stairsOut);
        if (!manager.Complete())
            return false; // logged: elements the host would not list are not in it
    }
    std::string reply;
    reply.reserve(systems.size() + products.size() + curtainWalls.size() + stairs.size() + 128);
    JsonWriter out(reply);
    out.BeginObject();
    out.Key("CurtainWallInfo");
    out.Raw(curtainWalls);
    out.Key("ProductInfo");
    out.Raw(products);
    out.Key("StairCalculationInfo");
    out.Raw(stairs);
    out.Key("SystemInfo");
    out.Raw(systems);
    out.EndObject();
    text = GS::UniString(reply);
    return true;
}

} // namespace KRV
