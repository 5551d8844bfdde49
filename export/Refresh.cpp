// The refresh before a take-off: the current host values of the catalogue properties of the
// building materials in use, taken into their stored lists.
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

#include "ElementStructure.hpp"
#include "ErrorMessages.hpp"
#include "Logger.hpp"
#include "Properties.hpp"
#include "ShellList.hpp"
#include "StoredList.hpp"
#include "TakeOffRequest.hpp"
#include "UserData.hpp"

namespace KRV {

namespace {

// The building materials the walls, slabs and roofs are built of, directly or as a layer of
// a composite, read in one walk.
std::set<Int32> MaterialsInUse(ReadCache& reads)
{
    std::set<Int32> composites;
    std::set<Int32> materials;
    // Elements the host would not list are not refreshed for (logged); the others still are.
    if (GSErrCode err = InitCompMatElemList(); err != NoError)
        LogArchicadErrorCodeMessage(err, "UpdateAttributesUserData::", port::elementListCall);
    for (const API_Guid& guid : g_elemList) {
        auto structure = StructureOf(guid);
        if (!structure)
            continue;
        if (structure->structure == port::Structure::basic)
            materials.insert(structure->buildingMaterial);
        else if (structure->structure == port::Structure::composite)
            composites.insert(structure->composite);
    }
    ClearCompMatElemList();
    for (Int32 index : composites)
        if (const CachedAttribute* composite = reads.Load(port::AttrRef(port::AttrType::composite, index), false))
            for (const port::CompositeComponent& component : reads.LoadComponents(composite->attribute))
                materials.insert(component.buildingMaterial);
    return materials;
}

// The catalogue id an entry of a stored list holds, when it is an "id" property (of the
// "Korvel" group only, if asked) with a text or number value. A property this cannot read
// says nothing about the id.
std::optional<GS::UniString> StoredId(const StoredList& list, std::size_t i, bool korvelGroupOnly)
{
    if ((korvelGroupOnly && !list.IsText(i, StoredList::group, "Korvel")) || !list.IsText(i, StoredList::name, "id"))
        return std::nullopt;
    const json value = list.Json(i, StoredList::value);
    if (!value.is_string() && !value.is_number())
        return std::nullopt;
    return GS::UniString(std::string(list[i].value)); // a number as its text
}

// Whether a property the project holds differs from a stored one of its group and name: what
// the refresh would change, found without a text object for every stored property.
bool AnyStale(const StoredList& list, const KorvelProperties& held)
{
    for (const KorvelProperty& current : held.View()) {
        const std::string group = current.GetGroup().ToUtf8();
        const std::string name = current.GetName().ToUtf8();
        const std::string value = current.GetValue().ToUtf8();
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i].name == name && list.Group(i) == group && list[i].value != value)
                return true;
    }
    return false;
}

} // namespace

void UpdateAttributesUserData()
{
    TakeOffRequest request;
    ReadCache& reads = request.Reads();
    const std::set<Int32> inUse = MaterialsInUse(reads);
    // Every material's stored list, read once (the take-off reads the same): the lowest index
    // holding an id wins.
    std::map<GS::UniString, Int32> byId;
    Int32 count = 0;
    if (GSErrCode err = port::AttributeCount(port::AttrType::buildingMaterial, count); err != NoError) {
        LogArchicadErrorCodeMessage(err, "UpdateAttributesUserData::", port::attributeCountCall);
        return; // which material holds an id first is not known: nothing is refreshed
    }
    for (Int32 index = 1; index <= count; ++index) {
        const port::AttrRef ref(port::AttrType::buildingMaterial, index);
        const CachedAttribute* material = reads.Load(ref, inUse.count(index) != 0);
        if (material == nullptr)
            continue;
        for (std::size_t i = 0; i < material->properties.size(); ++i)
            if (auto id = StoredId(material->properties, i, false))
                byId.emplace(*id, index);
    }
    // The ids of the materials in use, as their stored "Korvel" "id" properties give them.
    std::vector<GS::UniString> ids;
    for (Int32 index : inUse)
        if (const CachedAttribute* material = reads.Load(port::AttrRef(port::AttrType::buildingMaterial, index), true))
            for (std::size_t i = 0; i < material->properties.size(); ++i)
                if (auto id = StoredId(material->properties, i, true))
                    ids.push_back(*id);
    std::unordered_map<API_Guid, GS::UniString> groupNames; // each property group read once
    for (const GS::UniString& id : ids) {
        try {
            auto found = byId.find(id);
            if (found == byId.end())
                continue;
            const port::AttrRef ref(port::AttrType::buildingMaterial, found->second);
            const CachedAttribute* material = reads.Load(ref, false);
            if (material == nullptr || material->properties.empty())
                continue;
            const KorvelProperties held = ReadProperties(ref, &groupNames);
            // The list is made into properties only when something in it changes.
            if (!AnyStale(material->properties, held))
                continue;
            std::vector<KorvelProperty> properties = material->properties.Properties();
            bool changed = false;
            for (const KorvelProperty& current : held.View())
                for (KorvelProperty& property : properties)
                    if (property.GetGroup() == current.GetGroup() && property.GetName() == current.GetName() &&
                        !property.IsValueEqual(current)) {
                        property.SetValue(current.GetValue());
                        changed = true;
                    }
            if (!changed)
                continue;
            const GS::UniString text = StoredText(properties);
            // A write the host refused leaves its list as the host holds it (logged).
            if (AddUserData(material->attribute.head, text) == NoError)
                reads.Written(ref, text.ToUtf8());
        } catch (const json::exception& e) {
            // One unreadable stored text must not stop the refresh of the others.
            LogWarning("UpdateAttributesUserData: skipped the catalogue data of one material: " +
                       std::string(e.what()));
        }
    }
}

} // namespace KRV
