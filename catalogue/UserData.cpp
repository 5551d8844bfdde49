// The catalogue identity kept in the project: stored texts in user data and "KV_" records.
#include "UserData.hpp"

#include <functional>
#include <map>
#include <optional>
#include <set>

#include "AddOnData.hpp"
#include "ElementStructure.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "HostMemory.hpp"
#include "Logger.hpp"
#include "Properties.hpp"
#include "StoredList.hpp"
#include "Texts.hpp"

namespace KRV {

GS::Array<API_Guid> g_elemList;

namespace {

// The building materials of a composite's layers.
std::set<int> LayerMaterials(Int32 composite)
{
    std::set<int> materials;
    port::CompositeDefinition defs;
    if (port::ReadCompositeDefinition(composite, defs) != NoError)
        return materials;
    for (std::size_t i = 0; i < defs.ComponentCount(); ++i)
        materials.insert(defs.Component(i).buildingMaterial);
    return materials;
}

// What the walls, slabs and roofs of g_elemList are built of, read in one walk.
struct StageUse {
    std::set<int> composites;
    std::set<int> buildingMaterials; // directly or as a layer of a composite
};

StageUse CollectStageUse()
{
    StageUse use;
    for (const API_Guid& guid : g_elemList) {
        auto structure = StructureOf(guid);
        if (!structure)
            continue;
        if (structure->structure == port::Structure::basic)
            use.buildingMaterials.insert(structure->buildingMaterial);
        else if (structure->structure == port::Structure::composite)
            use.composites.insert(structure->composite);
    }
    for (int composite : use.composites)
        for (int material : LayerMaterials(composite))
            use.buildingMaterials.insert(material);
    return use;
}

bool IsText(const json& object, const char* key, const char* text)
{
    if (!object.is_object())
        return false;
    auto it = object.find(key);
    return it != object.end() && it->is_string() && it->get_ref<const std::string&>() == text;
}

std::optional<port::Attribute> AttributeAt(port::AttrType type, Int32 index)
{
    port::Attribute attribute(port::AttrRef(type, index));
    if (port::GetAttribute(attribute) != NoError)
        return std::nullopt;
    return attribute;
}

Int32 Count(port::AttrType type)
{
    Int32 count = 0;
    if (port::AttributeCount(type, count) != NoError)
        return 0;
    return count;
}

} // namespace

GS::UniString StoredText(const KorvelProperties& properties)
{
    return JsonToText(json(properties.GetProperties()));
}

int AddUserData(const port::AttributeHead& attr, const GS::UniString& text)
{
    HandleGuard handle(TextHandle(text));
    if (handle.Get() == nullptr) {
        LogError("KRV::AddUserData - couldn't allocate handle");
        return hosterr::general;
    }
    GSErrCode err = port::SetAttributeUserData(attr, handle.Get());
    if (err != NoError)
        LogArchicadErrorCodeMessage(err, "KRV::AddUserData(API_Attribute attr, std::string data) - ",
                                    port::setAttributeUserDataCall);
    return err;
}

int GetUserData(const port::AttributeHead& attr, GS::UniString& text)
{
    std::string bytes;
    const int err = GetUserData(attr, bytes);
    if (err == NoError)
        text = GS::UniString(bytes);
    return err;
}

int GetUserData(const port::AttributeHead& attr, std::string& text)
{
    GSHandle data = nullptr;
    GSErrCode err = port::GetAttributeUserData(attr, data);
    HandleGuard handle(data);
    if (err == hosterr::noUserData)
        return err;
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "KRV::GetUserData ", port::getAttributeUserDataCall);
        return err;
    }
    text = HandleBytes(handle.Get());
    return NoError;
}

int SetUserDataToElem(const API_Guid& element, const GS::UniString& text)
{
    HandleGuard handle(TextHandle(text));
    if (handle.Get() == nullptr) {
        LogError("KRV::SetUserDataToElem - couldn't allocate handle");
        return hosterr::memoryFull;
    }
    return RunWrite(texts::undoElementUserData, "SetUserDataToElem", [&]() -> GSErrCode {
        GSErrCode err = port::SetElementUserData(element, handle.Get());
        if (err != NoError)
            LogArchicadErrorCodeMessage(err, "SetUserDataToElem::", port::setElementUserDataCall);
        return err;
    });
}

std::optional<GS::UniString> ReadModulData(const GS::UniString& name, const char* operation, GSErrCode& code)
{
    GSHandle data = nullptr;
    Int32 version = 0;
    code = port::ReadRecord(texts::RecordName(name), data, version);
    HandleGuard handle(data);
    if (!ReadSucceeded(code, operation, port::readRecordCall, hosterr::noModuleData) || code != NoError || version != 1)
        return std::nullopt;
    return HandleText(handle.Get());
}

int CreateModulData(const GS::UniString& name, const GS::UniString& text)
{
    GS::UniString key = texts::RecordName(name);
    HandleGuard handle(TextHandle(text));
    if (handle.Get() == nullptr) {
        LogError("KRV::CreateModulData - couldn't allocate handle");
        return hosterr::memoryFull;
    }
    GSErrCode err = port::StoreRecord(key, handle.Get());
    if (err != NoError)
        LogArchicadErrorCodeMessage(err, "CreateModulData::", port::storeRecordCall);
    return err;
}

port::Attribute GetAttribute(GS::UniString name, port::AttrType type)
{
    port::Attribute attribute(port::AttrRef(type, 0));
    attribute.head.name = name;
    GSErrCode err = port::GetAttribute(attribute);
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "GetAttribute(GS::UniString name, API_AttrTypeID typeID)");
        attribute = port::Attribute(port::AttrRef(type, 0));
        attribute.head.name = name;
    }
    return attribute;
}

int InitCompMatElemList()
{
    g_elemList.Clear();
    for (port::ElemKind kind : port::shellKinds) {
        GS::Array<API_Guid> more;
        if (GSErrCode err = port::ElementList(kind, more); err != NoError)
            return err;
        for (const API_Guid& guid : more)
            g_elemList.Push(guid);
    }
    return NoError;
}

void ClearCompMatElemList()
{
    g_elemList.Clear();
}

namespace {

// Each building material with a stored text, lowest index first, until `visit` answers true.
void VisitStoredMaterialTexts(
    const std::function<bool(const port::Attribute& attribute, const GS::UniString& text)>& visit)
{
    const Int32 count = Count(port::AttrType::buildingMaterial);
    for (Int32 index = 1; index <= count; ++index) {
        auto attribute = AttributeAt(port::AttrType::buildingMaterial, index);
        if (!attribute)
            continue;
        GS::UniString text;
        if (GetUserData(attribute->head, text) != NoError)
            continue;
        if (visit(*attribute, text))
            return;
    }
}

// The catalogue id an entry of a stored list holds, when it is an "id" property (of the
// "Korvel" group only, if asked) with a text or number value. A property this cannot read
// says nothing about the id.
std::optional<GS::UniString> StoredId(const json& entry, bool korvelGroupOnly)
{
    if ((korvelGroupOnly && !IsText(entry, "group", "Korvel")) || !IsText(entry, "name", "id") ||
        !entry.contains("value"))
        return std::nullopt;
    const json& value = entry.at("value");
    if (!value.is_string() && !value.is_number())
        return std::nullopt;
    return JsonToText(value);
}

// The same for a property of a list read in its plain form, every member of which is a text.
std::optional<GS::UniString> StoredId(const StoredTexts& list, std::size_t i, bool korvelGroupOnly)
{
    if ((korvelGroupOnly && !(list.Held(i, StoredTexts::group) && list.Group(i) == "Korvel")) ||
        !(list.Held(i, StoredTexts::name) && list[i].name == "id") || !list.Held(i, StoredTexts::value))
        return std::nullopt;
    return GS::UniString(std::string(list[i].value));
}

// Whether a property the project holds differs from a stored one of its group and name: what
// the refresh would change, found without a text object for every stored property.
bool AnyStale(const StoredTexts& list, const KorvelProperties& held)
{
    for (const KorvelProperty& current : held.View())
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list.Group(i) == current.GetGroup().ToUtf8() && list[i].name == current.GetName().ToUtf8() &&
                list[i].value != current.GetValue().ToUtf8())
                return true;
    return false;
}

} // namespace

void UpdateAttributesUserData()
{
    InitCompMatElemList();
    const StageUse use = CollectStageUse();
    ClearCompMatElemList();
    // Every material's stored list, read once: scanned where it has the plain form the add-on
    // writes, parsed otherwise (both read alike).
    struct Stored {
        port::Attribute attribute;
        // The list in the plain form is read in place (`texts`) until the refresh rewrites
        // it (`written`); any other is parsed (`list`).
        bool plain = false;
        StoredTexts texts;
        std::optional<std::vector<KorvelProperty>> written;
        json list;
        std::vector<GS::UniString> korvelIds; // its "Korvel" "id" values, in order
    };
    std::map<Int32, Stored> stored;
    std::map<GS::UniString, Int32> byId; // the lowest index holding an id wins
    VisitStoredMaterialTexts([&](const port::Attribute& attribute, const GS::UniString& text) {
        const Int32 index = attribute.head.ref.Index();
        Stored material{attribute, false, StoredTexts(), std::nullopt, json(), {}};
        if (material.texts.ReadPlain(text.ToUtf8())) {
            material.plain = true;
            for (std::size_t i = 0; i < material.texts.size(); ++i) {
                if (auto id = StoredId(material.texts, i, false))
                    byId.emplace(*id, index);
                if (auto id = StoredId(material.texts, i, true))
                    material.korvelIds.push_back(*id);
            }
        } else {
            json list = TextToJson(text);
            if (!list.is_array())
                return false;
            for (const json& entry : list) {
                if (auto id = StoredId(entry, false))
                    byId.emplace(*id, index);
                if (auto id = StoredId(entry, true))
                    material.korvelIds.push_back(*id);
            }
            material.list = std::move(list);
        }
        stored.emplace(index, std::move(material));
        return false;
    });
    // The ids of the materials in use, as the stored "Korvel" "id" properties give them.
    std::vector<GS::UniString> ids;
    for (int index : use.buildingMaterials) {
        auto it = stored.find(index);
        if (it != stored.end())
            ids.insert(ids.end(), it->second.korvelIds.begin(), it->second.korvelIds.end());
    }
    std::unordered_map<API_Guid, GS::UniString> groupNames; // each property group read once
    for (const GS::UniString& id : ids) {
        try {
            auto found = byId.find(id);
            if (found == byId.end())
                continue;
            Stored& material = stored.at(found->second);
            // A parsed list that does not read as properties is skipped before the project's
            // values are read.
            std::vector<KorvelProperty> properties;
            const bool inPlace = material.plain && !material.written;
            if (!inPlace)
                properties = material.written ? *material.written : material.list.get<std::vector<KorvelProperty>>();
            const KorvelProperties held = ReadProperties(material.attribute.head.ref, &groupNames);
            // A list read in place is made into properties only when something in it changes.
            if (inPlace) {
                if (!AnyStale(material.texts, held))
                    continue;
                properties = material.texts.Properties();
            }
            bool changed = false;
            for (const KorvelProperty& current : held.View())
                for (KorvelProperty& property : properties)
                    if (property.GetGroup() == current.GetGroup() && property.GetName() == current.GetName() &&
                        !property.IsValueEqual(current)) {
                        property.SetValue(current.GetValue());
                        changed = true;
                    }
            if (changed) {
                json list(properties);
                AddUserData(material.attribute.head, JsonToText(list));
                if (material.plain)
                    material.written = std::move(properties); // as the text written reads back
                else
                    material.list = std::move(list);
            }
        } catch (const json::exception& e) {
            // One unreadable stored text must not stop the refresh of the others.
            LogWarning("UpdateAttributesUserData: skipped the catalogue data of one material: " +
                       std::string(e.what()));
        }
    }
}

} // namespace KRV
