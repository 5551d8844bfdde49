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

ReadCache::Loaded<std::optional<CachedAttribute>>& ReadCache::LoadAttribute(const port::AttrRef& ref)
{
    auto [it, added] = attributes.try_emplace(ref);
    if (!added)
        return it->second;
    Loaded<std::optional<CachedAttribute>>& loaded = it->second;
    CachedAttribute cached;
    cached.attribute = port::Attribute(ref);
    const GSErrCode err = port::GetAttribute(cached.attribute);
    loaded.failed = !ReadSucceeded(err, "ReadCache::", port::getAttributeCall, hosterr::badIndex);
    if (err != NoError)
        return loaded;
    std::string text;
    const int read = GetUserData(cached.attribute.head, text);
    loaded.failed = read != NoError && read != hosterr::noUserData; // logged
    if (read == NoError) {
        cached.hasStoredText = true;
        cached.properties.Read(std::move(text));
    }
    loaded.value = std::move(cached);
    return loaded;
}

void ReadCache::Warn(Loaded<std::optional<CachedAttribute>>& loaded)
{
    if (loaded.warned || !loaded.value || !loaded.value->properties.Unreadable())
        return;
    loaded.warned = true;
    StoredList::WarnUnreadable("the attribute " + loaded.value->attribute.head.name.ToUtf8());
}

const CachedAttribute* ReadCache::Attribute(const port::AttrRef& ref)
{
    Loaded<std::optional<CachedAttribute>>& loaded = LoadAttribute(ref);
    if (loaded.failed)
        complete = false;
    Warn(loaded);
    return loaded.value ? &*loaded.value : nullptr;
}

const CachedAttribute* ReadCache::Load(const port::AttrRef& ref, bool use)
{
    Loaded<std::optional<CachedAttribute>>& loaded = LoadAttribute(ref);
    if (use)
        Warn(loaded);
    return loaded.value ? &*loaded.value : nullptr;
}

void ReadCache::Written(const port::AttrRef& ref, std::string text)
{
    Loaded<std::optional<CachedAttribute>>& loaded = LoadAttribute(ref);
    if (!loaded.value)
        return;
    loaded.value->hasStoredText = true;
    loaded.value->properties.Read(std::move(text));
    loaded.warned = false;
}

ReadCache::Loaded<std::vector<port::CompositeComponent>>& ReadCache::LoadComposite(const port::Attribute& composite)
{
    auto [it, added] = components.try_emplace(composite.head.ref.Index());
    if (added)
        it->second.failed = !ReadSucceeded(port::ReadCompositeComponents(composite, it->second.value),
                                           "ReadCache::Components - ", port::compositeComponentsCall);
    return it->second;
}

const std::vector<port::CompositeComponent>& ReadCache::Components(const port::Attribute& composite)
{
    Loaded<std::vector<port::CompositeComponent>>& loaded = LoadComposite(composite);
    if (loaded.failed)
        complete = false;
    return loaded.value;
}

const std::vector<port::CompositeComponent>& ReadCache::LoadComponents(const port::Attribute& composite)
{
    return LoadComposite(composite).value;
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

const StoredList& ReadCache::RecordProperties(const GS::UniString& name)
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
