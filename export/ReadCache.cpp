// What one report request reads from the project, read once.
#include "ReadCache.hpp"

#include <cstring>

#include "APIdefs_UserData.h"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "HostMemory.hpp"
#include "HostText.hpp"
#include "ProfileVectorImage.hpp"
#include "StoredList.hpp"
#include "Texts.hpp"
#include "UserData.hpp"

namespace KRV {

bool ReadCache::Read(int err, const char* context, int absent)
{
    if (ReadSucceeded(err, context, absent))
        return true;
    complete = false;
    return false;
}

bool ReadCache::Quantities(const API_Guid& guid, API_ElementQuantity& quantity)
{
    quantity = API_ElementQuantity{};
    API_Quantities quantities{};
    quantities.elements = &quantity;
    API_QuantitiesMask mask;
    ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(mask);
    API_QuantityPar params{};
    return Read(ACAPI_Element_GetQuantities(guid, &params, &quantities, &mask),
                "ReadQuantities::ACAPI_Element_GetQuantities");
}

const CachedAttribute* ReadCache::Attribute(API_AttrTypeID type, API_AttributeIndex index)
{
    auto [it, added] = attributes.try_emplace(AttributeKey(type, index));
    if (added) {
        CachedAttribute cached;
        cached.record.header.typeID = type;
        cached.record.header.index = index;
        const GSErrCode err = ACAPI_Attribute_Get(&cached.record);
        Read(err, "ReadCache::ACAPI_Attribute_Get", hosterr::badIndex);
        if (err == NoError) {
            std::string text;
            const int read = GetUserData(cached.record, text);
            if (read != NoError && read != hosterr::noUserData)
                complete = false; // logged
            if (read == NoError) {
                cached.hasStoredText = true;
                if (!text.empty())
                    cached.properties.Read(std::move(text),
                                           "the attribute " + GetHeaderName(cached.record.header).ToUtf8());
            }
            it->second = std::move(cached);
        }
    }
    return it->second ? &*it->second : nullptr;
}

const std::vector<API_CWallComponent>& ReadCache::Components(const API_Attribute& composite)
{
    auto [it, added] = components.try_emplace(composite.header.index);
    if (!added)
        return it->second;
    // Read again by name, as a fresh record carrying only the name.
    API_Attribute byName{};
    byName.header.typeID = API_CompWallID;
    SetHeaderName(byName.header, GetHeaderName(composite.header));
    if (!Read(ACAPI_Attribute_Get(&byName), "ReadCache::Components - ACAPI_Attribute_Get"))
        return it->second;
    API_AttributeDef defs{};
    AttrDefsGuard release(defs);
    if (!Read(ACAPI_Attribute_GetDef(API_CompWallID, byName.header.index, &defs),
              "ReadCache::Components - ACAPI_Attribute_GetDef"))
        return it->second;
    // The record's count may promise more components than the definition holds.
    const std::size_t held =
        defs.cwall_compItems != nullptr
            ? static_cast<std::size_t>(BMGetHandleSize(reinterpret_cast<GSHandle>(defs.cwall_compItems))) /
                  sizeof(API_CWallComponent)
            : 0;
    const std::size_t count = std::min<std::size_t>(held, byName.compWall.nComps > 0 ? byName.compWall.nComps : 0);
    for (std::size_t i = 0; i < count; ++i)
        it->second.push_back((*defs.cwall_compItems)[i]);
    return it->second;
}

API_AttributeIndex ReadCache::ProfileMaterial(API_AttributeIndex profile)
{
    auto [it, added] = profileMaterials.try_emplace(profile, 0);
    if (!added)
        return it->second;
    API_AttributeDefExt defs{};
    AttrDefsGuard release(defs);
    if (Read(ACAPI_Attribute_GetDefExt(API_ProfileID, profile, &defs),
             "ReadCache::ProfileMaterial - ACAPI_Attribute_GetDefExt") &&
        defs.profile_vectorImageItems != nullptr) {
        const ProfileVectorImage& image = *defs.profile_vectorImageItems;
        for (UIndex i = 0; i < image.GetItemCount(); ++i)
            if (image.GetItemType(i) == ProfileVectorImage::Hatch)
                it->second = image.GetHatchObject(i).GetBuildMatIdx(); // the last hatch wins
    }
    return it->second;
}

const std::pair<std::string, GS::UniString>& ReadCache::LibraryPart(Int32 index)
{
    auto [it, added] = libraryParts.try_emplace(index);
    if (added && index > 0) {
        API_LibPart part{};
        part.index = index;
        LibPartLocationGuard location(part);
        if (Read(ACAPI_LibPart_Get(&part), "ReadCache::LibraryPart - ACAPI_LibPart_Get", hosterr::badIndex))
            it->second = {std::string(part.ownUnID, strnlen(part.ownUnID, API_UniIDLen)),
                          GS::UniString(std::string(part.docu_UName, strnlen(part.docu_UName, API_UniLongNameLen)))};
    }
    return it->second;
}

const std::optional<GS::UniString>& ReadCache::Record(const GS::UniString& name)
{
    auto [it, added] = records.try_emplace(name);
    if (added) {
        GSErrCode err = NoError;
        it->second = ReadModulData(name, "ReadCache::Record - ", err);
        if (err != NoError && err != hosterr::noModuleData)
            complete = false; // logged
    }
    return it->second;
}

const StoredTexts& ReadCache::RecordProperties(const GS::UniString& name)
{
    auto [it, added] = recordProperties.try_emplace(name);
    if (added) {
        const std::optional<GS::UniString>& text = Record(name);
        if (text && !text->IsEmpty())
            it->second.Read(text->ToUtf8(), texts::RecordName(name.ToUtf8()));
    }
    return it->second;
}

} // namespace KRV
