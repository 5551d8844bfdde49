// The stand-alone host's core: strings, case folding, refs, guids, handles, call counts and faults.
#include "ACAPinc.h"
#include "WorkFolder.hpp"

using testing_support::HostTest;

class HostCoreTest : public HostTest {};

TEST_F(HostCoreTest, UniStringHandlesUtf8ByCharacter)
{
    GS::UniString text("  Wärmedämmung Ø 12  ");
    text.Trim();
    EXPECT_EQ(text, "Wärmedämmung Ø 12");
    EXPECT_EQ(text.GetLength(), 17u);
    EXPECT_EQ(text.GetSubstring(0, 5), "Wärme");
    EXPECT_EQ(text.GetSuffix(4), "Ø 12");
    EXPECT_TRUE(GS::UniString("ÄRGER").IsEqual("ärger", GS::CaseInsensitive));
    EXPECT_FALSE(GS::UniString("ÄRGER").IsEqual("ärger"));
    EXPECT_EQ(GS::UniString("a") + "b" + GS::UniString("c"), "abc");
    EXPECT_EQ(GS::UniString::Printf("%d-%s", 7, "x"), "7-x");
    GS::UniString file("Chair.gsm");
    file.DeleteLast(4);
    EXPECT_EQ(file, "Chair");
    EXPECT_EQ(std::string(text.ToCStr().Get()), text.ToUtf8());
    // A cut never splits a character.
    EXPECT_EQ(GS::TruncateUtf8("aä", 2), "a");
    EXPECT_EQ(GS::TruncateUtf8("aä", 3), "aä");
}

TEST_F(HostCoreTest, CaseInsensitiveComparisonFoldsEveryScript)
{
    auto same = [](const char* a, const char* b) { return GS::UniString(a).IsEqual(b, GS::CaseInsensitive); };
    // Polish: capitals on odd code points in U+0139-U+0148 and U+0179-U+017E.
    EXPECT_TRUE(same("ŁÓDŹ", "łódź"));
    EXPECT_TRUE(same("ŻÓŁW ŃŚĆ", "żółw ńść"));
    EXPECT_FALSE(same("ĺ", "Ļ"));
    EXPECT_TRUE(same("Ĺ", "ĺ"));
    // Czech.
    EXPECT_TRUE(same("ŽLUŤOUČKÝ KŮŇ ĎÁBELSKÉ ÓDY ŘEŠÍ", "žluťoučký kůň ďábelské ódy řeší"));
    EXPECT_FALSE(same("ň", "Ň x"));
    // German, and the letters without a pair or with one outside their block.
    EXPECT_TRUE(same("GRÜNSTRAẞE Ÿ", "grünstraße ÿ"));
    EXPECT_FALSE(same("ĸ", "Ĺ"));
    EXPECT_FALSE(same("ŉ", "Ŋ"));
    EXPECT_FALSE(same("Straße", "Strasse")); // simple folding: one character stays one
    // Beyond Latin.
    EXPECT_TRUE(same("ΑΘΗΝΑ", "αθηνα"));
    EXPECT_TRUE(same("МОСКВА", "москва"));
    // Ordering: by folded code point, a text before any longer one it begins.
    auto order = [](const char* a, const char* b, GS::CaseComparison how) { return GS::UniString(a).Compare(b, how); };
    EXPECT_EQ(order("abc", "ABD", GS::CaseInsensitive), GS::UniString::Less);
    EXPECT_EQ(order("Abc", "ab", GS::CaseInsensitive), GS::UniString::Greater);
    EXPECT_EQ(order("ab", "Abc", GS::CaseInsensitive), GS::UniString::Less);
    EXPECT_EQ(order("ÄBC", "äbc", GS::CaseInsensitive), GS::UniString::Equal);
    EXPECT_EQ(order("Z", "ä", GS::CaseInsensitive), GS::UniString::Less);
    EXPECT_EQ(order("a", "B", GS::CaseSensitive), GS::UniString::Greater);
    EXPECT_EQ(order("", "", GS::CaseSensitive), GS::UniString::Equal);
}

TEST_F(HostCoreTest, RefsAndGuids)
{
    GS::Ref<GS::UniString> empty;
    EXPECT_THROW(empty->GetLength(), GS::NullReferenceException);
    try {
        *empty;
    } catch (const GS::Exception& e) {
        EXPECT_STREQ(e.what(), "Null reference.");
    }
    EXPECT_STREQ(GS::ClassCastException().what(), "Bad cast.");

    GS::Guid guid("{64F64B7A-4B4F-496D-AFB7-747BCEED73EC}");
    EXPECT_EQ(guid.ToUniString(), "64F64B7A-4B4F-496D-AFB7-747BCEED73EC");
    API_Guid api = GSGuid2APIGuid(guid);
    EXPECT_EQ(APIGuidToString(api), "64F64B7A-4B4F-496D-AFB7-747BCEED73EC");
    EXPECT_EQ(APIGuid2GSGuid(api), guid);
    EXPECT_TRUE(GS::Guid("not a guid").IsNull());
    EXPECT_NE(GS::Guid::Generate(), GS::Guid::Generate());
    EXPECT_TRUE(APINULLGuid == API_Guid{});
}

TEST_F(HostCoreTest, HandlesAreZeroFilledAndCounted)
{
    long before = host().LiveHandles();
    GSHandle h = BMAllocateHandle(64, ALLOCATE_CLEAR, 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(BMGetHandleSize(h), 64);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ((*h)[i], 0);
    EXPECT_EQ(BMReallocHandle(h, 128, 0, 0), NoError);
    EXPECT_EQ(BMhGetSize(h), 128);
    EXPECT_EQ((*h)[127], 0);
    EXPECT_EQ(host().LiveHandles(), before + 1);
    BMKillHandle(&h);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(host().LiveHandles(), before);
}

TEST_F(HostCoreTest, InstrumentationCountsCallsAndInjectsFaults)
{
    auto call = [] {
        SIM_ENTER("ACAPI_Test_Call");
        return NoError;
    };
    EXPECT_EQ(call(), NoError);
    host().InjectFault("ACAPI_Test_Call", APIERR_GENERAL, 2);
    EXPECT_EQ(call(), NoError);
    EXPECT_EQ(call(), APIERR_GENERAL);
    EXPECT_EQ(call(), NoError);
    host().InjectFault("ACAPI_Test_Call", APIERR_MEMFULL, 1, -1);
    EXPECT_EQ(call(), APIERR_MEMFULL);
    EXPECT_EQ(call(), APIERR_MEMFULL);
    EXPECT_EQ(host().GetCallCount("ACAPI_Test_Call"), 6);
    EXPECT_EQ(host().GetCallCount("ACAPI_Other"), 0);

    DBPrintf("%s %d\n", "debug", 5);
    EXPECT_EQ(host().GetDebugOutput(), "debug 5\n");

    int answer = host().CallAddOn<int>(
        "Handler", []() -> int { throw GS::ClassCastException(); }, -1);
    EXPECT_EQ(answer, -1);
    ASSERT_EQ(host().GetEscapedExceptions().size(), 1u);
    EXPECT_EQ(host().GetEscapedExceptions()[0], "Handler: Bad cast.");
    host().Reset(); // the guard's record is what TearDown checks
}
