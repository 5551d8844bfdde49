// What one report request reads from the project, read once.
#include "ReadCache.hpp"

#include <cstring>

#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "LibraryParts.hpp"
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

bool ReadCache::Read(int err, const char* operation, const char* call, int absent)
{
    if (ReadSucceeded(err, operation, call, absent))
        return true;
    complete = false;
    return false;
}

bool ReadCache::Quantities(const port::ElemHead& element, port::Quantities& quantities)
{
    return Read(port::ElementQuantities(element, quantities), "ReadQuantities::", port::quantitiesCall);
}

const CachedAttribute* ReadCache::Attribute(const port::AttrRef& ref)
{
    auto [it, added] = attributes.try_emplace(ref);
    if (added) {
        CachedAttribute cached;
        cached.attribute = port::Attribute(ref);
        const GSErrCode err = port::GetAttribute(cached.attribute);
        Read(err, "ReadCache::", port::getAttributeCall, hosterr::badIndex);
        if (err == NoError) {
            std::string text;
            const int read = GetUserData(cached.attribute.head, text);
            if (read != NoError && read != hosterr::noUserData)
                complete = false; // logged
            if (read == NoError) {
                cached.hasStoredText = true;
                if (!text.empty())
                    cached.properties.Read(std::move(text), "the attribute " + cached.attribute.head.name.ToUtf8());
            }
            it->second = std::move(cached);
        }
    }
    return it->second ? &*it->second : nullptr;
}

const std::vector<port::CompositeComponent>& ReadCache::Components(const port::Attribute& composite)
{
    auto [it, added] = components.try_emplace(composite.head.ref.Index());
    if (!added)
        return it->second;
    // Read again by name, as a fresh record carrying only the name.
    port::Attribute byName(port::AttrRef(port::AttrType::composite, 0));
    byName.head.name = composite.head.name;
    if (!Read(port::GetAttribute(byName), "ReadCache::Components - ", port::getAttributeCall))
        return it->second;
    std::vector<port::CompositeComponent> read;
    if (Read(port::ReadCompositeComponents(byName, read), "ReadCache::Components - ", port::compositeComponentsCall))
        it->second = std::move(read);
    return it->second;
}

Int32 ReadCache::ProfileMaterial(Int32 profile)
{
    auto [it, added] = profileMaterials.try_emplace(profile, 0);
    if (!added)
        return it->second;
    Int32 material = 0;
    if (Read(port::ProfileHatchMaterial(profile, material), "ReadCache::ProfileMaterial - ",
             port::profileDefinitionCall))
        it->second = material;
    return it->second;
}

const std::pair<std::string, GS::UniString>& ReadCache::LibraryPart(Int32 index)
{
    auto [it, added] = libraryParts.try_emplace(index);
    if (added && index > 0) {
        std::string uniqueId;
        GS::UniString name;
        if (Read(port::LibraryPartAt(index, uniqueId, name), "ReadCache::LibraryPart - ", port::getLibraryPartCall,
                 hosterr::badIndex))
            it->second = {std::move(uniqueId), std::move(name)};
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
