#include "ProjectFile.hpp"

#include <set>

#include "JsonRead.hpp"

namespace sim {

using nlohmann::json;

namespace {

std::string GuidText(const API_Guid& guid)
{
    return APIGuidToString(guid).ToUtf8();
}

API_Guid GuidOf(const json& j, const char* key)
{
    if (!j.contains(key))
        return GSGuid2APIGuid(GS::Guid::Generate());
    std::string text = j.at(key).get<std::string>();
    GS::Guid guid;
    if (!guid.ConvertFromString(text.c_str()))
        throw ProjectFileError("\"" + text + "\" is not a guid");
    return GSGuid2APIGuid(guid);
}

API_Guid RequiredGuid(const json& j, const char* key)
{
    if (!j.contains(key))
        throw ProjectFileError(std::string("missing \"") + key + "\"");
    return GuidOf(j, key);
}

const char* StructureName(API_ModelElemStructureType type)
{
    return type == API_CompositeStructure ? "composite" : type == API_ProfileStructure ? "profile" : "basic";
}

API_ModelElemStructureType StructureOf(const std::string& name)
{
    if (name == "basic")
        return API_BasicStructure;
    if (name == "composite")
        return API_CompositeStructure;
    if (name == "profile")
        return API_ProfileStructure;
    throw ProjectFileError("unknown structure \"" + name + "\" (basic, composite, profile)");
}

const std::map<std::string, API_ElemTypeID>& ElementTypes()
{
    static const std::map<std::string, API_ElemTypeID> types = {
        {"wall", API_WallID}, {"slab", API_SlabID}, {"roof", API_RoofID}};
    return types;
}

std::string ElementTypeName(API_ElemTypeID type)
{
    for (const auto& [name, id] : ElementTypes())
        if (id == type)
            return name;
    return "element";
}

// The stored bytes without the one terminating zero the add-on writes; zero bytes inside
// the text are part of it and are kept.
std::string Text(const std::string& bytes)
{
    return !bytes.empty() && bytes.back() == '\0' ? bytes.substr(0, bytes.size() - 1) : bytes;
}
std::string Bytes(const std::string& text)
{
    return text + std::string(1, '\0');
}

json SaveAnnotations(const Annotations& a)
{
    json j = json::object();
    if (a.userData.present) {
        j["userData"] = Text(a.userData.bytes);
        j["userDataVersion"] = a.userData.version;
        j["userDataPlatform"] = a.userData.platformSign;
        if (a.userData.flags != 0)
            j["userDataFlags"] = a.userData.flags;
    }
    if (!a.classification.empty()) {
        j["classification"] = json::array();
        for (const auto& pair : a.classification)
            j["classification"].push_back({{"system", GuidText(pair.first)}, {"item", GuidText(pair.second)}});
    }
    if (!a.properties.empty()) {
        j["properties"] = json::object();
        for (const auto& [definition, value] : a.properties)
            j["properties"][GuidText(definition)] = value.text;
    }
    return j;
}

void LoadAnnotations(const json& j, Annotations& a)
{
    if (j.contains("userData")) {
        a.userData.present = true;
        a.userData.bytes = Bytes(j.at("userData").get<std::string>());
        a.userData.version = Integer<short>(j, "userDataVersion", 0);
        a.userData.platformSign = Integer<unsigned short>(j, "userDataPlatform", 0x6D6D);
        a.userData.flags = Integer<Int32>(j, "userDataFlags", 0);
    }
    if (j.contains("classification"))
        for (const json& pair : j.at("classification"))
            a.classification.push_back({RequiredGuid(pair, "system"), RequiredGuid(pair, "item")});
    if (j.contains("properties"))
        for (const auto& [definition, value] : j.at("properties").items()) {
            GS::Guid guid;
            if (!guid.ConvertFromString(definition.c_str()))
                throw ProjectFileError("\"" + definition + "\" is not a property definition guid");
            a.properties[GSGuid2APIGuid(guid)] = {value.get<std::string>(), false};
        }
}

// Each item once: a tree that lists an item among its own descendants is written up to
// the repeat, not round for ever.
json SaveItems(const ClassificationStore& store, const API_Guid& system, const API_Guid& parent,
               std::set<API_Guid>& written)
{
    json items = json::array();
    for (const auto& node : store.items) {
        if (node.system != system || node.parent != parent || !written.insert(node.item.guid).second)
            continue;
        json item = {{"guid", GuidText(node.item.guid)}, {"id", node.item.id.ToUtf8()}};
        if (!node.item.name.IsEmpty())
            item["name"] = node.item.name.ToUtf8();
        if (!node.item.description.IsEmpty())
            item["description"] = node.item.description.ToUtf8();
        json children = SaveItems(store, system, node.item.guid, written);
        if (!children.empty())
            item["children"] = children;
        items.push_back(item);
    }
    return items;
}

// Classification trees are a few levels deep; a file nesting them deeper is refused
// rather than read by a recursion that could exhaust the stack.
constexpr int maxClassificationDepth = 64;

// Every guid of a kind is given once: the host's look-ups and tree walks rely on it.
class GuidRegister {
public:
    void Claim(const std::string& kind, const API_Guid& guid)
    {
        if (!claimed[kind].insert(guid).second)
            throw ProjectFileError("the guid \"" + GuidText(guid) + "\" is used twice among the " + kind);
    }

private:
    std::map<std::string, std::set<API_Guid>> claimed;
};

void LoadItems(const json& items, ClassificationStore& store, const API_Guid& system, const API_Guid& parent,
               GuidRegister& guids, int depth)
{
    if (depth > maxClassificationDepth)
        throw ProjectFileError("classification items nest deeper than " + std::to_string(maxClassificationDepth) +
                               " levels");
    for (const json& j : items) {
        ClassificationItemNode node;
        node.item.guid = GuidOf(j, "guid");
        guids.Claim("classification items", node.item.guid);
        node.item.id = GS::UniString(j.at("id").get<std::string>());
        node.item.name = GS::UniString(j.value("name", ""));
        node.item.description = GS::UniString(j.value("description", ""));
        node.system = system;
        node.parent = parent;
        store.items.push_back(node);
        if (j.contains("children"))
            LoadItems(j.at("children"), store, system, node.item.guid, guids, depth + 1);
    }
}

const char* MeasureName(API_PropertyMeasureType type)
{
    switch (type) {
    case API_PropertyLengthMeasureType:
        return "length";
    case API_PropertyAreaMeasureType:
        return "area";
    case API_PropertyVolumeMeasureType:
        return "volume";
    case API_PropertyAngleMeasureType:
        return "angle";
    case API_PropertyDefaultMeasureType:
        return "default";
    default:
        return "undefined";
    }
}

API_PropertyMeasureType MeasureOf(const std::string& name)
{
    for (auto type : {API_PropertyUndefinedMeasureType, API_PropertyDefaultMeasureType, API_PropertyLengthMeasureType,
                      API_PropertyAreaMeasureType, API_PropertyVolumeMeasureType, API_PropertyAngleMeasureType})
        if (name == MeasureName(type))
            return type;
    throw ProjectFileError("unknown measure type \"" + name + "\"");
}

} // namespace

json SaveProject(const Project& project)
{
    json file = json::object();
    file["name"] = project.info.name.ToUtf8();

    auto saveAttributes = [&](API_AttrTypeID type) {
        json list = json::array();
        auto it = project.attributes.byType.find(type);
        if (it == project.attributes.byType.end())
            return list;
        int index = 0;
        for (const Attribute& a : it->second) {
            json j = SaveAnnotations(a);
            j["index"] = ++index;
            j["name"] = a.name;
            j["guid"] = GuidText(a.guid);
            if (type == API_BuildingMaterialID) {
                j["connPriority"] = a.connPriority;
                j["cutFill"] = a.cutFill;
                j["cutFillPen"] = a.cutFillPen;
                j["cutFillBackgroundPen"] = a.cutFillBackgroundPen;
                j["cutMaterial"] = a.cutMaterial;
                j["cutFillOrientation"] = a.cutFillOrientation;
                j["thermalConductivity"] = a.thermalConductivity;
                j["density"] = a.density;
                j["heatCapacity"] = a.heatCapacity;
                j["showUncutLines"] = a.showUncutLines;
                j["description"] = a.description;
                j["manufacturer"] = a.manufacturer;
            }
            if (type == API_CompWallID) {
                j["flags"] = a.flags;
                j["components"] = json::array();
                for (const auto& c : a.components)
                    j["components"].push_back({{"buildingMaterial", c.buildingMaterial},
                                               {"fillThick", c.fillThick},
                                               {"flagBits", c.flagBits},
                                               {"framePen", c.framePen}});
                j["lines"] = json::array();
                for (const auto& l : a.lines)
                    j["lines"].push_back({{"ltypeInd", l.ltypeInd}, {"linePen", l.linePen}});
            }
            list.push_back(j);
        }
        return list;
    };
    file["buildingMaterials"] = saveAttributes(API_BuildingMaterialID);
    file["composites"] = saveAttributes(API_CompWallID);

    file["elements"] = json::array();
    for (const Element& e : project.elements.elements) {
        json j = SaveAnnotations(e);
        j["type"] = ElementTypeName(e.type);
        j["guid"] = GuidText(e.guid);
        j["structure"] = StructureName(e.structure.modelElemStructureType);
        j["composite"] = e.structure.composite;
        j["buildingMaterial"] = e.structure.buildingMaterial;
        j["thickness"] = e.structure.thickness;
        file["elements"].push_back(j);
    }

    file["propertyGroups"] = json::array();
    for (const API_PropertyGroup& g : project.properties.groups)
        if (g.groupType == API_PropertyCustomGroupType)
            file["propertyGroups"].push_back(
                {{"guid", GuidText(g.guid)}, {"name", g.name.ToUtf8()}, {"description", g.description.ToUtf8()}});
    file["propertyDefinitions"] = json::array();
    for (const PropertyDefinition& d : project.properties.definitions) {
        if (d.field != BuiltInField::None)
            continue;
        json availability = json::array();
        for (const API_Guid& item : d.definition.availability)
            availability.push_back(GuidText(item));
        file["propertyDefinitions"].push_back({{"guid", GuidText(d.definition.guid)},
                                               {"group", GuidText(d.definition.groupGuid)},
                                               {"name", d.definition.name.ToUtf8()},
                                               {"description", d.definition.description.ToUtf8()},
                                               {"measureType", MeasureName(d.definition.measureType)},
                                               {"editable", d.definition.canValueBeEditable},
                                               {"availability", availability}});
    }

    file["classificationSystems"] = json::array();
    std::set<API_Guid> written;
    for (const API_ClassificationSystem& s : project.classifications.systems) {
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", s.editionDate.year, s.editionDate.month, s.editionDate.day);
        file["classificationSystems"].push_back(
            {{"guid", GuidText(s.guid)},
             {"name", s.name.ToUtf8()},
             {"description", s.description.ToUtf8()},
             {"source", s.source.ToUtf8()},
             {"editionVersion", s.editionVersion.ToUtf8()},
             {"editionDate", date},
             {"items", SaveItems(project.classifications, s.guid, APINULLGuid, written)}});
    }

    file["addOnData"] = json::object();
    for (const auto& [key, record] : project.addOnData)
        file["addOnData"][key] = Text(record.bytes);
    file["undo"] = project.undoSteps;
    return file;
}

std::unique_ptr<Project> LoadProject(const json& file)
{
    if (!file.is_object())
        throw ProjectFileError("a project file holds one JSON object");
    auto project = std::make_unique<Project>();
    GuidRegister guids;
    for (const API_PropertyGroup& g : project->properties.groups)
        guids.Claim("property groups", g.guid);
    for (const PropertyDefinition& d : project->properties.definitions)
        guids.Claim("property definitions", d.definition.guid);
    try {
        if (file.contains("name")) {
            project->info.name = GS::UniString(file.at("name").get<std::string>());
            project->info.untitled = false;
        }
        auto loadAttributes = [&](const char* key, API_AttrTypeID type) {
            if (!file.contains(key))
                return;
            for (const json& j : file.at(key)) {
                Attribute a;
                a.type = type;
                a.name = j.at("name").get<std::string>();
                if (a.name.empty() || project->attributes.FindByName(type, a.name) != nullptr)
                    throw ProjectFileError(std::string(key) + ": the name \"" + a.name + "\" is empty or used twice");
                a.guid = GuidOf(j, "guid");
                guids.Claim("attributes", a.guid);
                LoadAnnotations(j, a);
                a.connPriority = Integer<Int32>(j, "connPriority", 0);
                a.cutFill = Integer<Int32>(j, "cutFill", 0);
                a.cutFillPen = Integer<short>(j, "cutFillPen", 0);
                a.cutFillBackgroundPen = Integer<short>(j, "cutFillBackgroundPen", 0);
                a.cutMaterial = Integer<Int32>(j, "cutMaterial", 0);
                a.cutFillOrientation = Integer<Int32>(j, "cutFillOrientation", 0);
                a.thermalConductivity = j.value("thermalConductivity", 0.0);
                a.density = j.value("density", 0.0);
                a.heatCapacity = j.value("heatCapacity", 0.0);
                a.showUncutLines = j.value("showUncutLines", true);
                a.description = j.value("description", "");
                a.manufacturer = j.value("manufacturer", "");
                a.flags = Integer<Int32>(j, "flags", 0);
                if (j.contains("components"))
                    for (const json& c : j.at("components"))
                        a.components.push_back({Integer<Int32>(c.at("buildingMaterial")),
                                                Integer<short>(c, "framePen", 1), Integer<short>(c, "flagBits", 0),
                                                c.value("fillThick", 0.0)});
                if (j.contains("lines"))
                    for (const json& l : j.at("lines"))
                        a.lines.push_back({Integer<short>(l, "ltypeInd", 1), Integer<short>(l, "linePen", 1), 0, 0});
                project->attributes.byType[type].push_back(a);
            }
        };
        loadAttributes("buildingMaterials", API_BuildingMaterialID);
        loadAttributes("composites", API_CompWallID);

        if (file.contains("elements"))
            for (const json& j : file.at("elements")) {
                Element e;
                std::string type = j.at("type").get<std::string>();
                auto it = ElementTypes().find(type);
                if (it == ElementTypes().end())
                    throw ProjectFileError("unknown element type \"" + type + "\" (wall, slab, roof)");
                e.type = it->second;
                e.guid = GuidOf(j, "guid");
                guids.Claim("elements", e.guid);
                LoadAnnotations(j, e);
                e.structure.modelElemStructureType = StructureOf(j.value("structure", "basic"));
                e.structure.composite = Integer<Int32>(j, "composite", 0);
                e.structure.buildingMaterial = Integer<Int32>(j, "buildingMaterial", 0);
                e.structure.thickness = j.value("thickness", 0.0);
                project->elements.elements.push_back(e);
            }

        if (file.contains("propertyGroups"))
            for (const json& j : file.at("propertyGroups")) {
                API_PropertyGroup g;
                g.guid = GuidOf(j, "guid");
                guids.Claim("property groups", g.guid);
                g.name = GS::UniString(j.at("name").get<std::string>());
                g.description = GS::UniString(j.value("description", ""));
                project->properties.groups.push_back(g);
            }
        if (file.contains("propertyDefinitions"))
            for (const json& j : file.at("propertyDefinitions")) {
                PropertyDefinition d;
                d.definition.guid = GuidOf(j, "guid");
                guids.Claim("property definitions", d.definition.guid);
                d.definition.groupGuid = RequiredGuid(j, "group");
                d.definition.name = GS::UniString(j.at("name").get<std::string>());
                d.definition.description = GS::UniString(j.value("description", ""));
                d.definition.collectionType = API_PropertySingleCollectionType;
                d.definition.valueType = API_PropertyStringValueType;
                d.definition.measureType = MeasureOf(j.value("measureType", "default"));
                d.definition.canValueBeEditable = j.value("editable", false);
                d.definition.defaultValue.basicValue.variantStatus = API_VariantStatusNormal;
                d.definition.defaultValue.basicValue.singleVariant.variant.type = API_PropertyStringValueType;
                if (j.contains("availability"))
                    for (const json& item : j.at("availability"))
                        d.definition.availability.Push(GuidOf(json{{"g", item}}, "g"));
                project->properties.definitions.push_back(d);
            }

        if (file.contains("classificationSystems"))
            for (const json& j : file.at("classificationSystems")) {
                API_ClassificationSystem s;
                s.guid = GuidOf(j, "guid");
                guids.Claim("classification systems", s.guid);
                s.name = GS::UniString(j.at("name").get<std::string>());
                s.description = GS::UniString(j.value("description", ""));
                s.source = GS::UniString(j.value("source", ""));
                s.editionVersion = GS::UniString(j.value("editionVersion", ""));
                int y = 0, m = 0, d = 0;
                std::sscanf(j.value("editionDate", "0000-00-00").c_str(), "%d-%d-%d", &y, &m, &d);
                s.editionDate = {static_cast<short>(y), static_cast<short>(m), static_cast<short>(d)};
                project->classifications.systems.push_back(s);
                if (j.contains("items"))
                    LoadItems(j.at("items"), project->classifications, s.guid, APINULLGuid, guids, 1);
            }

        if (file.contains("addOnData"))
            for (const auto& [key, text] : file.at("addOnData").items())
                project->addOnData[key] = {1, 0x6D6D, Bytes(text.get<std::string>())};
        if (file.contains("undo"))
            project->undoSteps = file.at("undo").get<std::vector<std::string>>();
    } catch (const json::exception& e) {
        throw ProjectFileError(std::string("bad project file: ") + e.what());
    }
    return project;
}

} // namespace sim
