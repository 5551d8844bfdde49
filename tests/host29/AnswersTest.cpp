// What generation 29's entry points answer where its reference documents another answer than
// generation 26's: the add-on's port turns these into the meanings it knows.
#include <chrono>

#include <gtest/gtest.h>

#include "ACAPinc.h"
#include "IFCObjectAccessor.hpp"
#include "ProjectFile.hpp"
#include "WorkFolder.hpp"

using nlohmann::json;
using testing_support::HostTest;

class AnswersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        host().SetProject(sim::LoadProject(json::parse(R"({
            "buildingMaterials": [{"name": "Beton"}],
            "elements": [{"type": "wall", "guid": "10000000-0000-4000-8000-000000000001",
                          "structure": "basic", "buildingMaterial": 1}]})")));
        wall = APIGuidFromString("10000000-0000-4000-8000-000000000001");
    }
    API_Guid wall{};
};

TEST_F(AnswersTest, Generation29sOwnAnswers)
{
    API_Elem_Head head{};
    head.guid = wall;
    // A wall is no GDL object: no library part id, and its type has no 3D body here.
    char id[API_UniIDLen] = {};
    EXPECT_EQ(ACAPI_LibraryPart_GetElemLibPartUnId(&head, id), APIERR_BADID);
    API_ElemInfo3D info{};
    EXPECT_EQ(ACAPI_ModelAccess_Get3DInfo(head, &info), APIERR_BADID);
    // Outside an element event there is no parent element.
    API_Element parent{};
    EXPECT_EQ(ACAPI_Notification_GetParentElement(&parent, nullptr, 0, nullptr), APIERR_REFUSEDCMD);
    // A type without a name.
    GS::UniString name;
    EXPECT_EQ(ACAPI_Element_GetElemTypeName(API_ZombieElemID, name), APIERR_BADID);
    EXPECT_EQ(ACAPI_Element_GetElemTypeName(API_WallID, name), NoError);
    // A section is added only while a part is being created.
    API_LibPartSection section{};
    section.sectType = API_SectParamDef;
    EXPECT_EQ(ACAPI_LibraryPart_AddSection(&section, nullptr, nullptr), APIERR_GENERAL);
    // An edition date that is no date is refused, and nothing is made.
    API_ClassificationSystem system;
    system.name = "Korvel";
    system.editionDate =
        std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{2}, std::chrono::day{30}};
    EXPECT_EQ(ACAPI_Classification_CreateClassificationSystem(system), APIERR_BADPARS);
    system.editionDate =
        std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{2}, std::chrono::day{28}};
    EXPECT_EQ(ACAPI_Classification_CreateClassificationSystem(system), NoError);
    API_ClassificationSystem read;
    read.guid = system.guid;
    ASSERT_EQ(ACAPI_Classification_GetClassificationSystem(read), NoError);
    EXPECT_EQ(read.editionDate, system.editionDate);
    // The attribute index is a class; a count comes as an unsigned number.
    UInt32 count = 0;
    EXPECT_EQ(ACAPI_Attribute_GetNum(API_BuildingMaterialID, count), NoError);
    EXPECT_EQ(count, 1u);
    API_Attribute material{};
    material.header.typeID = API_BuildingMaterialID;
    material.header.index = ACAPI_CreateAttributeIndex(1);
    ASSERT_EQ(ACAPI_Attribute_Get(&material), NoError);
    EXPECT_STREQ(material.header.name, "Beton");
    // The IFC attributes of an element the project does not have.
    API_Elem_Head nowhere{};
    nowhere.guid = APIGuidFromString("10000000-0000-4000-8000-0000000000FF");
    const auto object = IFCAPI::GetObjectAccessor().CreateElementObjectID(nowhere);
    ASSERT_TRUE(object.IsErr());
    EXPECT_EQ(object.UnwrapErr().kind, APIERR_BADPARS);
}
