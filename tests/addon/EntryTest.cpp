// The add-on's entry points: loading, menus, dropped files, quitting.
#include "ACAPinc.h"
#include "AddOnTest.hpp"
#include "Edge.hpp"
#include "Host.hpp"

using namespace testing_support;

namespace {

// The add-on's file type is dropped, opened and opened as a library part; it follows every
// project event both generations name.
#if KORVEL_HOST_GENERATION >= 29
const API_IOMethod openLibPart = OpenLibPartSupported;
#else
const API_IOMethod openLibPart = IO_OPENLIBPART;
#endif
const GSFlags everyEvent = APINotify_New | APINotify_NewAndReset | APINotify_Open | APINotify_PreSave | APINotify_Save |
                           APINotify_Close | APINotify_Quit | APINotify_SendChanges | APINotify_ChangeProjectDB |
                           APINotify_ChangeWindow | APINotify_ChangeFloor | APINotify_ChangeLibrary;

} // namespace

class EntryTest : public AddOnTest {
protected:
    EntryTest() { loadOnSetUp = false; }
};

TEST_F(EntryTest, LoadingRegistersAndInstallsInOrder)
{
    auto result = Load();
    EXPECT_EQ(result.type, APIAddon_Normal);
    EXPECT_EQ(result.registerCode, NoError);
    EXPECT_EQ(result.initializeCode, NoError);
    ASSERT_TRUE(result.loaded);

    auto& addOn = host().AddOn();
    EXPECT_EQ(addOn.environment.addOnInfo.name, "Korvel");
    EXPECT_FALSE(addOn.environment.addOnInfo.description.IsEmpty());
    ASSERT_EQ(addOn.services.size(), 1u);
    EXPECT_EQ(addOn.services[0].first, 0x4B5256u);
    EXPECT_EQ(addOn.services[0].second, 1);
    ASSERT_EQ(addOn.menus.size(), 2u);
    EXPECT_EQ(addOn.menus[0].menuStrResID, 32500);
    EXPECT_EQ(addOn.menus[0].menuFlags, 0);
    EXPECT_EQ(addOn.menus[1].menuStrResID, 32400);
    EXPECT_EQ(addOn.menus[1].menuFlags, 1);
    ASSERT_EQ(addOn.fileTypes.size(), 1u);
    EXPECT_EQ(addOn.fileTypes[0].extension, "json");
    EXPECT_EQ(addOn.fileTypes[0].refCon, 1);
    EXPECT_EQ(addOn.fileTypes[0].descStrResID, 32520);
    EXPECT_EQ(addOn.fileTypes[0].methodFlags, sim::SupportedFlag(true) | sim::SupportedFlag(false) | openLibPart);
    EXPECT_EQ(addOn.menuHandlers.size(), 2u);
    EXPECT_EQ(addOn.fileTypeHandlers.count(1), 1u);
    EXPECT_EQ(addOn.projectEventMask, everyEvent);
    ASSERT_EQ(addOn.modelessWindows.size(), 2u);
    for (const auto& [id, window] : addOn.modelessWindows) {
        EXPECT_EQ(window.controlFlags, 1015);
        EXPECT_EQ(id, KRV::PaletteReferenceId(APIGuid2GSGuid(window.guid)));
    }
    // Neither palette exists after start-up.
    EXPECT_FALSE(KRV::BrowserPalette::HasInstance());
    EXPECT_FALSE(KRV::Palette::HasInstance());
    EXPECT_TRUE(host().UI().palettes.empty());
    EXPECT_EQ(sim::user::UnloadAddOn(), NoError);
}

TEST_F(EntryTest, TheFirstFailingCallEndsRegistrationOrInitialisation)
{
    host().InjectFault("Register.Menu", APIERR_BADPARS, 2);
    auto result = Load();
    EXPECT_EQ(result.registerCode, APIERR_BADPARS);
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(host().GetCallCount("Register.Menu"), 2);
    EXPECT_EQ(host().GetCallCount("Register.FileType"), 0);
    EXPECT_EQ(host().GetCallCount("Install.MenuHandler"), 0);

    host().Reset();
    host().InjectFault("RegisterModelessWindow", APIERR_GENERAL, 2);
    result = Load();
    EXPECT_EQ(result.registerCode, NoError);
    EXPECT_EQ(result.initializeCode, APIERR_GENERAL);
    EXPECT_EQ(host().GetCallCount("Install.MenuHandler"), 2);
    EXPECT_EQ(host().GetCallCount("Notify.CatchProjectEvent"), 0);
    EXPECT_EQ(host().GetCallCount("Install.FileTypeHandler"), 0);

    host().Reset();
    host().InjectFault("Install.FileTypeHandler", APIERR_MEMFULL);
    EXPECT_EQ(Load().initializeCode, APIERR_MEMFULL);
}

TEST_F(EntryTest, MenuCommandsTogglePalettes)
{
    ASSERT_TRUE(Load().loaded);
    ASSERT_EQ(sim::user::ChooseMenu(32400, 1), NoError);
    EXPECT_TRUE(KRV::Palette::HasInstance());
    EXPECT_FALSE(KRV::BrowserPalette::HasInstance());
    EXPECT_TRUE(KRV::Palette::GetInstance()->IsVisible());
    sim::user::ChooseMenu(32400, 1);
    EXPECT_FALSE(KRV::Palette::GetInstance()->IsVisible());

    sim::user::ChooseMenu(32500, 1);
    KRV::BrowserPalette* first = KRV::BrowserPalette::GetInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->IsVisible());
    EXPECT_TRUE(host().AddOn().keepInMemory);
    sim::user::ChooseMenu(32500, 1);
    EXPECT_FALSE(first->IsVisible());
    sim::user::ChooseMenu(32500, 1);
    EXPECT_EQ(KRV::BrowserPalette::GetInstance(), first);
    EXPECT_TRUE(first->IsVisible());
    EXPECT_EQ(first->GetBrowser().GetLoadCount(), 1);

    // Other items of the add-on's menus do nothing.
    EXPECT_EQ(sim::user::ChooseMenu(32500, 2), NoError);
    EXPECT_TRUE(first->IsVisible());
}

TEST_F(EntryTest, ADroppedFileIsImportedWithoutThePalette)
{
    ASSERT_TRUE(Load().loaded);
    auto file = work() / "drop" / "item.json";
    WriteFile(file, R"({"data": {"import_type": "nothing we know"}})");
    EXPECT_EQ(sim::user::DropFile(file.string(), sim::user::FileArrival::dropped), NoError);
    EXPECT_FALSE(KRV::BrowserPalette::HasInstance());
    EXPECT_TRUE(LogHas("ImportManager.GetImporter could not return importer."));
    EXPECT_NE(host().GetDebugOutput().find("ImportManager"), std::string::npos);

    // Another method than a drop is ignored.
    std::filesystem::remove(work() / "log.txt");
    EXPECT_EQ(sim::user::DropFile(file.string(), sim::user::FileArrival::opened), NoError);
    EXPECT_TRUE(LogLines().empty());

    // An empty or unreadable file gives the importer error and changes nothing.
    WriteFile(work() / "empty.json", "");
    sim::user::DropFile((work() / "empty.json").string(), sim::user::FileArrival::dropped);
    sim::user::DropFile((work() / "missing.json").string(), sim::user::FileArrival::dropped);
    EXPECT_EQ(LogMessages(), (std::vector<std::string>{"ImportManager.GetImporter could not return importer.",
                                                       "ImportManager.GetImporter could not return importer."}));

    // A bad envelope deep inside (a number where a type name belongs) is logged, not thrown.
    WriteFile(work() / "bad.json", R"({"data": {"import_type": 7}})");
    EXPECT_EQ(sim::user::DropFile((work() / "bad.json").string(), sim::user::FileArrival::dropped), NoError);
    EXPECT_EQ(LogMessages().back().rfind("DragNDropHandler failed: ", 0), 0u) << LogMessages().back();
}

TEST_F(EntryTest, QuittingReleasesBothPalettesWhicheverCameLast)
{
    for (bool browserLast : {true, false}) {
        host().Reset();
        ASSERT_TRUE(Load().loaded);
        const short first = browserLast ? 32400 : 32500;
        const short second = browserLast ? 32500 : 32400;
        sim::user::ChooseMenu(first, 1);
        sim::user::ChooseMenu(second, 1);
        ASSERT_TRUE(KRV::Palette::HasInstance());
        ASSERT_TRUE(KRV::BrowserPalette::HasInstance());
        sim::user::SendProjectEvent(APINotify_Quit);
        EXPECT_FALSE(KRV::Palette::HasInstance()) << browserLast;
        EXPECT_FALSE(KRV::BrowserPalette::HasInstance()) << browserLast;
        EXPECT_TRUE(host().UI().palettes.empty()) << browserLast;
        // Other project events leave them alone.
        sim::user::ChooseMenu(32400, 1);
        sim::user::SendProjectEvent(APINotify_Quit >> 1);
        EXPECT_TRUE(KRV::Palette::HasInstance());
        KRV::Palette::DestroyInstance();
    }
}
