// The host's command rules as the stand-alone host enforces them: what an add-on may change
// outside a command, inside its own undoable command, and inside the host's own command
// during an element event.
#include <cstring>
#include <functional>
#include <stdexcept>

#include "ACAPinc.h"
#include "APIdefs_IFC.h"
#include "ElementActions.hpp"
#include "ProjectFile.hpp"
#include "WorkFolder.hpp"

using nlohmann::json;
using testing_support::HostTest;

namespace {

// The calls of this test that the two host generations name or shape differently: the rules
// are the same in both.
#if KORVEL_HOST_GENERATION >= 29
GSErrCode SetAttributeUserData(API_Attr_Head* head, const API_UserData* data)
{
    return ACAPI_UserData_SetUserData(head, data);
}
GSErrCode SaveAsIfc(const API_FileSavePars* save, const API_SavePars_Ifc* ifc)
{
    return ACAPI_ProjectOperation_Save(save, ifc);
}
API_AttributeIndex Index(Int32 index)
{
    return ACAPI_CreateAttributeIndex(index);
}
void SetEditionDate(API_ClassificationSystem& system)
{
    system.editionDate =
        std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{8}};
}
GSErrCode CountOf(API_AttrTypeID type, Int32& count)
{
    UInt32 number = 5;
    const GSErrCode err = ACAPI_Attribute_GetNum(type, number);
    count = static_cast<Int32>(number);
    return err;
}
#else
GSErrCode SetAttributeUserData(API_Attr_Head* head, const API_UserData* data)
{
    return ACAPI_Attribute_SetUserData(head, data);
}
GSErrCode SaveAsIfc(API_FileSavePars* save, API_SavePars_Ifc* ifc)
{
    return ACAPI_Automate(APIDo_SaveID, save, ifc);
}
API_AttributeIndex Index(Int32 index)
{
    return index;
}
void SetEditionDate(API_ClassificationSystem& system)
{
    system.editionDate = {2026, 12, 8};
}
GSErrCode CountOf(API_AttrTypeID type, Int32& count)
{
    API_AttributeIndex number = 5;
    const GSErrCode err = ACAPI_Attribute_GetNum(type, &number);
    count = number;
    return err;
}
#endif

const char* const wallGuid = "10000000-0000-4000-8000-000000000001";
const char* const objectGuid = "10000000-0000-4000-8000-000000000002";

// What the element event handler below does, and what it was answered.
std::function<void(const API_NotifyElementType&)> onEvent;

GSErrCode Handler(const API_NotifyElementType* event)
{
    if (onEvent && event->notifID != APINotifyElement_BeginEvents && event->notifID != APINotifyElement_EndEvents)
        onEvent(*event);
    return NoError;
}

} // namespace

class CommandRulesTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        host().SetProject(sim::LoadProject(json::parse(R"({
            "buildingMaterials": [{"name": "Putz"}],
            "elements": [{"type": "wall", "guid": ")" + std::string(wallGuid) +
                                                       R"(", "structure": "basic", "buildingMaterial": 1},
                         {"type": "object", "guid": ")" +
                                                       objectGuid + R"("}]})")));
        wall = APIGuidFromString(wallGuid);
        API_ClassificationSystem system;
        system.name = "Korvel";
        SetEditionDate(system);
        ASSERT_EQ(ACAPI_Classification_CreateClassificationSystem(system), NoError);
        item.id = "Korvel";
        ASSERT_EQ(ACAPI_Classification_CreateClassificationItem(item, system.guid, APINULLGuid, APINULLGuid), NoError);
        API_PropertyGroup group;
        group.name = "Korvel";
        ASSERT_EQ(ACAPI_Property_CreatePropertyGroup(group), NoError);
        definition.groupGuid = group.guid;
        definition.name = "id";
        definition.valueType = API_PropertyStringValueType;
        definition.availability.Push(item.guid);
        ASSERT_EQ(ACAPI_Property_CreatePropertyDefinition(definition), NoError);
        onEvent = nullptr;
    }
    void TearDown() override
    {
        onEvent = nullptr;
        HostTest::TearDown();
    }

    API_Property Value(const char* text) const
    {
        API_Property property;
        property.definition = definition;
        property.isDefault = false;
        property.value.variantStatus = API_VariantStatusNormal;
        property.value.singleVariant.variant.type = API_PropertyStringValueType;
        property.value.singleVariant.variant.uniStringValue = text;
        return property;
    }

    // Every element modifier, each answered.
    std::vector<GSErrCode> ChangeEverything()
    {
        API_Element element{};
        element.header.guid = wall;
        EXPECT_EQ(ACAPI_Element_Get(&element), NoError); // reading needs no command
        API_Element mask{};
        ACAPI_ELEMENT_MASK_SETFULL(mask);
        API_Elem_Head head = element.header;
        API_UserData data{};
        return {ACAPI_Element_Change(&element, &mask, nullptr, 0, true),
                ACAPI_Element_AddClassificationItem(wall, item.guid),
                ACAPI_Element_SetProperty(wall, Value("7")),
                ACAPI_Element_SetProperties(wall, GS::Array<API_Property>{Value("8")}),
                ACAPI_Element_SetUserData(&head, &data),
                ACAPI_Element_AttachObserver(wall, 0)};
    }

    API_Guid wall;
    API_ClassificationItem item;
    API_PropertyDefinition definition;
};

TEST_F(CommandRulesTest, ElementsChangeOnlyInsideACommandAndTheRestChangesAnywhere)
{
    const std::vector<GSErrCode> refused(6, APIERR_NEEDSUNDOSCOPE);
    EXPECT_EQ(ChangeEverything(), refused);
    EXPECT_TRUE(host().GetProject().elements.Find(wall)->classification.empty());

    // Attributes, property definitions, classification, add-on data and library parts are
    // not undoable: they change outside a command too (the set-up above did some).
    API_Attribute material{};
    material.header.typeID = API_BuildingMaterialID;
    material.header.index = Index(1);
    API_UserData data{};
    data.dataVersion = 1;
    EXPECT_EQ(SetAttributeUserData(&material.header, &data), NoError);
    EXPECT_EQ(ACAPI_Attribute_AddClassificationItem(material.header, item.guid), NoError);
    API_ModulData record{};
    record.dataVersion = 1;
    record.dataHdl = BMAllocateHandle(1, ALLOCATE_CLEAR, 0);
    EXPECT_EQ(ACAPI_ModulData_Store(&record, "KV_x"), NoError);
    BMKillHandle(&record.dataHdl);

    // Inside the add-on's undoable command every element modifier works, and the value of a
    // definition the element is classified for is taken.
    std::vector<GSErrCode> answered;
    EXPECT_EQ(ACAPI_CallUndoableCommand("Change",
                                        [&]() -> GSErrCode {
                                            answered = ChangeEverything();
                                            return NoError;
                                        }),
              NoError);
    EXPECT_EQ(answered, std::vector<GSErrCode>(6, NoError));
    EXPECT_EQ(host().GetProject().undo.Names(), std::vector<std::string>{"Change"});
    EXPECT_EQ(host().GetProject().elements.Find(wall)->properties.at(definition.guid).text, "8");

    // A definition the element cannot take (the object is not classified for it).
    GSErrCode onObject = NoError;
    ACAPI_CallUndoableCommand("Object", [&]() -> GSErrCode {
        onObject = ACAPI_Element_SetProperty(APIGuidFromString(objectGuid), Value("1"));
        return NoError;
    });
    EXPECT_EQ(onObject, APIERR_BADPROPERTY);
}

TEST_F(CommandRulesTest, CommandsDoNotNestAndAThrowingCommandFails)
{
    GSErrCode nested = NoError;
    bool innerRan = false;
    EXPECT_EQ(ACAPI_CallUndoableCommand("Outer",
                                        [&]() -> GSErrCode {
                                            nested = ACAPI_CallUndoableCommand("Inner", [&]() -> GSErrCode {
                                                innerRan = true;
                                                return NoError;
                                            });
                                            return NoError;
                                        }),
              NoError);
    EXPECT_EQ(nested, APIERR_REFUSEDCMD);
    EXPECT_FALSE(innerRan);
    EXPECT_EQ(host().GetProject().undo.Names(), std::vector<std::string>{"Outer"});

    // The host catches what a command throws; the command failed, and the next one runs.
    EXPECT_EQ(ACAPI_CallUndoableCommand("Throws", []() -> GSErrCode { throw std::runtime_error("x"); }),
              APIERR_COMMANDFAILED);
    EXPECT_EQ(ACAPI_CallUndoableCommand("After", []() -> GSErrCode { return NoError; }), NoError);
    EXPECT_EQ(ChangeEverything(), std::vector<GSErrCode>(6, APIERR_NEEDSUNDOSCOPE)); // closed again
}

TEST_F(CommandRulesTest, ElementEventsArriveInsideTheHostsOwnCommand)
{
    host().AddOn().loaded = true;
    host().AddOn().newElementHandler = Handler;
    host().AddOn().newElementAllTypes = true;
    GSErrCode opened = NoError;
    GSErrCode classified = APIERR_GENERAL;
    onEvent = [&](const API_NotifyElementType& event) {
        classified = ACAPI_Element_AddClassificationItem(event.elemHead.guid, item.guid);
        opened = ACAPI_CallUndoableCommand("Inside the event", []() -> GSErrCode { return NoError; });
    };
    const API_Guid placed = sim::user::PlaceElement(json::parse(R"({"type": "slab"})"));
    EXPECT_EQ(classified, NoError);
    EXPECT_EQ(opened, APIERR_REFUSEDCMD);
    EXPECT_EQ(host().GetProject().elements.Find(placed)->classification.size(), 1u);
    EXPECT_TRUE(host().GetProject().undo.Names().empty());
    // The host's command ends with the action.
    EXPECT_EQ(ChangeEverything(), std::vector<GSErrCode>(6, APIERR_NEEDSUNDOSCOPE));
}

TEST_F(CommandRulesTest, SavingIsRefusedInsideAnyCommand)
{
    IO::Location file(GS::UniString((work() / "p.ifc").string()));
    API_FileSavePars save{};
    save.fileTypeID = APIFType_IfcFile;
    save.file = &file;
    API_SavePars_Ifc ifc{};
    ifc.translatorIdentifier.name = "IFC4 Design Transfer View";
    GSErrCode inside = NoError;
    ACAPI_CallUndoableCommand("Save", [&]() -> GSErrCode {
        inside = SaveAsIfc(&save, &ifc);
        return NoError;
    });
    EXPECT_EQ(inside, APIERR_REFUSEDCMD);
    EXPECT_FALSE(std::filesystem::exists(work() / "p.ifc"));
    EXPECT_EQ(SaveAsIfc(&save, &ifc), NoError);
    EXPECT_TRUE(std::filesystem::exists(work() / "p.ifc"));
}

TEST_F(CommandRulesTest, TypeCodesTheHostDoesNotHaveAreRefusedAndChangeNothing)
{
    // A structure code that is none of basic, composite and profile.
    API_Element element{};
    element.header.guid = wall;
    ASSERT_EQ(ACAPI_Element_Get(&element), NoError);
    element.wall.modelElemStructureType = static_cast<API_ModelElemStructureType>(7);
    API_Element mask{};
    ACAPI_ELEMENT_MASK_SETFULL(mask);
    GSErrCode changed = NoError;
    ACAPI_CallUndoableCommand("Change", [&]() -> GSErrCode {
        changed = ACAPI_Element_Change(&element, &mask, nullptr, 0, true);
        return changed;
    });
    EXPECT_EQ(changed, APIERR_BADPARS);
    const sim::Element* stored = host().GetProject().elements.Find(wall);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->Shell()->structure.kind, sim::StructureKind::basic);
    EXPECT_EQ(stored->Shell()->structure.buildingMaterial, 1);

    // An attribute type code the host does not have: nothing is made, nothing is found.
    API_Attribute attribute{};
    attribute.header.typeID = static_cast<API_AttrTypeID>(77);
    std::strcpy(attribute.header.name, "Fremd");
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), APIERR_BADPARS);
    Int32 count = 5;
    EXPECT_EQ(CountOf(static_cast<API_AttrTypeID>(77), count), NoError);
    EXPECT_EQ(count, 0);
    attribute.header.index = Index(1);
    EXPECT_EQ(ACAPI_Attribute_Get(&attribute), APIERR_BADINDEX);
    EXPECT_EQ(host().GetProject().attributes.Count(sim::AttrKind::buildingMaterial), 1);
}
