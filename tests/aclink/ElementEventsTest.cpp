// Element events: catalogue data follows elements as the user places, copies and changes them.
#include "ElementEvents.hpp"
#include "AddOnTest.hpp"
#include "ElementActions.hpp"
#include "Host.hpp"
#include "Inspect.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

const std::string stored = R"([{"group":"Korvel","name":"name","type":"","unit":"","value":"AW"},)"
                           R"({"group":"Korvel","name":"id","type":"","unit":"","value":"9"},)"
                           R"({"group":"Bauphysik","name":"U-Wert","type":"","unit":"","value":"0.2"}])";

const std::string stairStored = R"([{"group":"Korvel","name":"name","type":"","unit":"","value":"Treppe 1"}])";

const char* const chairId = "{11111111-2222-4333-8444-555555555555}-{00000000-0000-0000-0000-000000000000}";

std::string Text(const API_Guid& guid)
{
    return APIGuidToString(guid).ToUtf8();
}

} // namespace

// Element events as a user causes them: placing, copying, changing and renaming elements.
class ElementEventsTest : public AddOnTest {
protected:
    void SetUp() override
    {
        AddOnTest::SetUp();
        UseProject(json::parse(R"({
            "buildingMaterials": [{"name": "Putz"}, {"name": "Beton", "userData": "[{\"name\": \"id\", \"value\": true}]"}],
            "composites": [{"name": "AW", "flags": 7, "userData": )" +
                               json(stored).dump() + R"(, "components": [{"buildingMaterial": 1}]}],
            "libraryParts": [{"name": "Stuhl", "uniqueId": ")" +
                               chairId + R"("}],
            "addOnData": {"KV_Stuhl": )" +
                               json(stored).dump() + R"(, "KV_Treppe 1": )" + json(stairStored).dump() + R"(}})"));
        host().ClearDebugOutput();
    }
    sim::Element& Element(const API_Guid& guid) { return *project().elements.Find(guid); }
    std::string Debug() const { return sim::Host::Get().GetDebugOutput(); }
};

TEST_F(ElementEventsTest, WallsTakeTheDataOfWhatTheyAreBuiltOf)
{
    const API_Guid wall =
        sim::user::PlaceElement(json::parse(R"({"type": "wall", "structure": "composite", "composite": 1})"));
    EXPECT_EQ(Element(wall).classification.size(), 1u);
    EXPECT_EQ(Element(wall).properties.size(), 3u);
    EXPECT_TRUE(Element(wall).observed);
    EXPECT_TRUE(project().undo.Names().empty()); // inside the host's own event, no undo step of its own
    EXPECT_EQ(Debug(), "### Element_Manager: Begin Events notification on database \"1. Erdgeschoss\"\n"
                       "### Element_Manager: End Events notification on database \"1. Erdgeschoss\"\n");

    // Changed to a material without catalogue data: its "Korvel" properties go back to their
    // defaults (the data-sheet values stay).
    sim::user::ChangeElement(wall, json::parse(R"({"structure": "basic", "buildingMaterial": 1})"));
    EXPECT_EQ(Element(wall).properties.size(), 1u);

    // A material whose stored text is no property list counts as one without data.
    const API_Guid slab =
        sim::user::PlaceElement(json::parse(R"({"type": "slab", "structure": "basic", "buildingMaterial": 2})"));
    EXPECT_TRUE(Element(slab).properties.empty());
    EXPECT_EQ(LogMessages().back(),
              "The catalogue data stored for the attribute 2 does not read as a property list; it is left out.");
    const auto lines = Debug().size();
    sim::user::DeleteElement(slab);
    const std::string added = Debug().substr(lines);
    EXPECT_NE(added.find("Begin Events"), std::string::npos); // the series' lines, nothing for the slab
    EXPECT_EQ(added.find("deleted"), std::string::npos);

    // The placement handler takes only walls, slabs and roofs.
    const API_Guid column = sim::user::PlaceElement(json::parse(R"({"type": "column"})"));
    KRV::port::ElementEvent event;
    event.code = KRV::port::ElementEventCode::created;
    event.element = {column, KRV::port::ElemKind::column, 0};
    EXPECT_EQ(KRV::ElemPlacedEventHandler(event), -7003);
    EXPECT_EQ(LogMessages().back(), "ElemPlacedEventHandler: Unexpected element type");
}

TEST_F(ElementEventsTest, ObjectsTakeTheDataOfTheirLibraryPartOnTheEventsThatMeanIt)
{
    const API_Guid chair = sim::user::PlaceElement(json{{"type", "object"}, {"libraryPart", chairId}});
    EXPECT_EQ(Element(chair).properties.size(), 3u);
    EXPECT_TRUE(Element(chair).observed);
    EXPECT_NE(Debug().find("### Element_Manager: <Objekt> created {" + Text(chair) + "}\n"), std::string::npos);

    const API_Guid copy = sim::user::CopyElement(chair);
    EXPECT_NE(Debug().find("### Element_Manager: <Objekt> copied {" + Text(copy) + "} from {" + Text(chair) + "}\n"),
              std::string::npos);
    EXPECT_TRUE(Element(copy).observed);
    EXPECT_EQ(Element(copy).properties.size(), 3u);

    const API_Guid twin = sim::user::PlaceElement(json{{"type", "object"}, {"libraryPart", chairId}}, chair);
    EXPECT_NE(Debug().find("<Objekt> created {" + Text(twin) + "} as a copy of {" + Text(chair) + "}"),
              std::string::npos);

    // The user edits a catalogue value: a property change does not bring the catalogue's back,
    for (auto& [definition, value] : Element(chair).properties)
        value.text = "eigener Wert";
    sim::user::NotifyElement(chair, APINotifyElement_PropertyValueChange);
    EXPECT_NE(Debug().find("<Objekt> property value changed {" + Text(chair) + "}"), std::string::npos);
    for (const auto& [definition, value] : Element(chair).properties)
        EXPECT_EQ(value.text, "eigener Wert");
    // but a change of the element does.
    sim::user::ChangeElement(chair, json::object());
    EXPECT_NE(Debug().find("<Objekt> window/door changed {" + Text(chair) + "}"), std::string::npos);
    EXPECT_EQ(Element(chair).properties.begin()->second.text != "eigener Wert", true);
    sim::user::NotifyElement(chair, APINotifyElement_Change, copy);
    EXPECT_NE(Debug().find("<Objekt> changed {" + Text(copy) + "} -> {" + Text(chair) + "}"), std::string::npos);
    sim::user::EditElement(chair);
    EXPECT_NE(Debug().find("<Objekt> edited in place {" + Text(chair) + "}"), std::string::npos);
    for (int code : {11, 12, 13, 14, 15, 16, 18})
        sim::user::NotifyElement(chair, code);
    for (const char* line :
         {"undone <Objekt> created", "undone <Objekt> modified", "undone <Objekt> deleted", "redone <Objekt> created",
          "redone <Objekt> modified", "redone <Objekt> deleted", "<Objekt> classification changed"})
        EXPECT_NE(Debug().find(line), std::string::npos) << line;
    sim::user::DeleteElement(copy);
    EXPECT_NE(Debug().find("<Objekt> deleted {" + Text(copy) + "}"), std::string::npos);

    // An object that is not observed hears nothing of its changes; one without a known part gets nothing.
    const API_Guid quiet = sim::user::PlaceElement(json{{"type", "object"}, {"libraryPart", "{unknown}"}});
    EXPECT_TRUE(Element(quiet).properties.empty());
    Element(quiet).observed = false;
    const auto before = Debug();
    sim::user::ChangeElement(quiet, json::object());
    EXPECT_EQ(Debug(), before);
    EXPECT_TRUE(host().GetEscapedExceptions().empty());
    EXPECT_EQ(host().LiveHandles(), 0);
}

TEST_F(ElementEventsTest, CurtainWallsAndStairsFollowTheirIfcName)
{
    const API_Guid stair = sim::user::PlaceElement(json::parse(R"({"type": "stair"})"));
    EXPECT_TRUE(Element(stair).properties.empty());
    sim::user::RenameElement(stair, "Treppe 1");
    EXPECT_EQ(Element(stair).properties.size(), 1u);
    EXPECT_NE(Debug().find("IFC attribute name: Name\n"), std::string::npos);

    // Renamed once more: the record follows its catalogue name to the new IFC name.
    sim::user::RenameElement(stair, "Haupttreppe");
    ASSERT_TRUE(project().addOnData.Has("KV_Haupttreppe"));
    EXPECT_EQ(project().addOnData.At("KV_Haupttreppe").bytes, project().addOnData.At("KV_Treppe 1").bytes);
}

TEST_F(ElementEventsTest, AFailedWriteIsTriedAgainThenNamedAndAnUnobservedElementIsObservedLater)
{
    // Refused once, a write is asked again: the element gets all of its item's data.
    for (const char* call :
         {"Element.SetProperty", "Element.AddClassificationItem", "ModulData.Get", "Notify.GetParentElement"}) {
        host().InjectFault(call, APIERR_GENERAL);
        const API_Guid chair = sim::user::PlaceElement(json{{"type", "object"}, {"libraryPart", chairId}});
        host().ClearFaults();
        EXPECT_EQ(Element(chair).properties.size(), 3u) << call;
        EXPECT_EQ(Element(chair).classification.size(), 1u) << call;
        EXPECT_TRUE(Element(chair).observed) << call;
    }
    host().InjectException("Element.SetProperty");
    const API_Guid wall =
        sim::user::PlaceElement(json::parse(R"({"type": "wall", "structure": "composite", "composite": 1})"));
    EXPECT_EQ(Element(wall).properties.size(), 3u);
    EXPECT_TRUE(host().GetEscapedExceptions().empty());

    // Refused every time: a line names the element, the item and the host call.
    host().InjectFault("Element.AddClassificationItem", APIERR_GENERAL, 1, 100);
    const API_Guid lost = sim::user::PlaceElement(json{{"type", "object"}, {"libraryPart", chairId}});
    host().ClearFaults();
    EXPECT_TRUE(Element(lost).properties.empty());
    EXPECT_EQ(LogMessages().back(), "The catalogue data of the library part \"Stuhl\" could not be written on the "
                                    "element " +
                                        Text(lost) +
                                        " (AddArchicadClassificationToElement::"
                                        "ACAPI_Element_AddClassificationItem).");

    // An observer the host would not attach is attached at the next take-off's refresh.
    host().InjectFault("Element.AttachObserver", APIERR_GENERAL, 1, 2);
    const API_Guid unobserved = sim::user::PlaceElement(json{{"type", "object"}, {"libraryPart", chairId}});
    host().ClearFaults();
    EXPECT_FALSE(Element(unobserved).observed);
    EXPECT_EQ(Element(unobserved).properties.size(), 3u);
    CallWithText("getCalculationData", "{}");
    EXPECT_TRUE(Element(unobserved).observed);
    EXPECT_EQ(project().undo.Names(), std::vector<std::string>{"Observe elements"});
    // Or at the next element event, whichever comes first.
    host().InjectFault("Element.AttachObserver", APIERR_GENERAL, 1, 2);
    const API_Guid later = sim::user::PlaceElement(json{{"type", "object"}, {"libraryPart", chairId}});
    host().ClearFaults();
    sim::user::PlaceElement(json{{"type", "object"}, {"libraryPart", chairId}});
    EXPECT_TRUE(Element(later).observed);
    EXPECT_EQ(host().LiveHandles(), 0);
}
