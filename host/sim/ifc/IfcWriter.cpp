// The project as an IFC4 file (ISO 10303-21): the spatial structure, one product per
// element with its GlobalId, IFC name, materials and catalogue properties.
#include "IfcWriter.hpp"

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "Host.hpp"

namespace sim {

namespace {

// IFC's 22-character form of a guid: 2 bits, then 21 groups of 6, in this alphabet.
std::string CompressedGuid(const API_Guid& guid)
{
    static const char alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$";
    const GS::Guid g = APIGuid2GSGuid(guid);
    unsigned char bytes[16];
    const UInt32 d1 = g.data1;
    bytes[0] = static_cast<unsigned char>(d1 >> 24);
    bytes[1] = static_cast<unsigned char>(d1 >> 16);
    bytes[2] = static_cast<unsigned char>(d1 >> 8);
    bytes[3] = static_cast<unsigned char>(d1);
    bytes[4] = static_cast<unsigned char>(g.data2 >> 8);
    bytes[5] = static_cast<unsigned char>(g.data2);
    bytes[6] = static_cast<unsigned char>(g.data3 >> 8);
    bytes[7] = static_cast<unsigned char>(g.data3);
    for (int i = 0; i < 8; ++i)
        bytes[8 + i] = g.data4[i];
    std::string out(22, '0');
    // The first character carries the top 2 bits of the first byte.
    out[0] = alphabet[bytes[0] >> 6];
    // Then the remaining 126 bits, 6 at a time.
    int bit = 2;
    for (int i = 1; i < 22; ++i) {
        int value = 0;
        for (int k = 0; k < 6; ++k, ++bit)
            value = (value << 1) | ((bytes[bit / 8] >> (7 - bit % 8)) & 1);
        out[static_cast<std::size_t>(i)] = alphabet[value];
    }
    return out;
}

// A guid made from a text, so the file's own entities keep their ids from run to run.
API_Guid DerivedGuid(const std::string& seed)
{
    std::uint64_t a = 1469598103934665603ULL, b = 1099511628211ULL;
    for (unsigned char c : seed) {
        a = (a ^ c) * 1099511628211ULL;
        b = (b ^ c) * 1469598103934665603ULL + 7;
    }
    API_Guid guid{};
    std::memcpy(&guid, &a, 8);
    std::memcpy(reinterpret_cast<char*>(&guid) + 8, &b, 8);
    return guid;
}

// A STEP string: apostrophes and backslashes doubled, anything beyond ASCII as \X2\...\X0\.
std::string StepString(const std::string& text)
{
    std::string out = "'";
    std::u16string wide;
    auto flush = [&] {
        if (wide.empty())
            return;
        out += "\\X2\\";
        char hex[5];
        for (char16_t c : wide) {
            std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(c));
            out += hex;
        }
        out += "\\X0\\";
        wide.clear();
    };
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            flush();
            if (c == '\'')
                out += "''";
            else if (c == '\\')
                out += "\\\\";
            else if (c >= 0x20)
                out += static_cast<char>(c);
            ++i;
            continue;
        }
        const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t cp = extra == 0 ? 0xFFFD : (c & (0x3F >> extra));
        ++i;
        for (int k = 0; k < extra && i < text.size(); ++k, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            wide += static_cast<char16_t>(0xD800 + (cp >> 10));
            wide += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            wide += static_cast<char16_t>(cp);
        }
    }
    flush();
    return out + "'";
}

std::string Real(double value)
{
    std::ostringstream text;
    text.precision(15);
    text << value;
    std::string s = text.str();
    if (s.find_first_of(".eE") == std::string::npos)
        s += ".";
    return s;
}

struct Product {
    const char* entity;
    int trailing; // "$" attributes after the Tag
};

Product ProductOf(ElemKind kind)
{
    switch (kind) {
    case ElemKind::wall:
        return {"IFCWALL", 1};
    case ElemKind::slab:
        return {"IFCSLAB", 1};
    case ElemKind::roof:
        return {"IFCROOF", 1};
    case ElemKind::column:
        return {"IFCCOLUMN", 1};
    case ElemKind::beam:
        return {"IFCBEAM", 1};
    case ElemKind::window:
        return {"IFCWINDOW", 5};
    case ElemKind::door:
        return {"IFCDOOR", 5};
    case ElemKind::curtainWall:
        return {"IFCCURTAINWALL", 1};
    case ElemKind::stair:
        return {"IFCSTAIR", 1};
    default:
        return {"IFCFURNISHINGELEMENT", 0};
    }
}

class Step {
public:
    int Add(const std::string& entity)
    {
        lines.push_back("#" + std::to_string(++count) + "=" + entity + ";");
        return count;
    }
    std::string Ref(int id) const { return "#" + std::to_string(id); }
    static std::string List(const std::vector<int>& ids)
    {
        std::string out = "(";
        for (std::size_t i = 0; i < ids.size(); ++i)
            out += (i == 0 ? "#" : ",#") + std::to_string(ids[i]);
        return out + ")";
    }
    std::vector<std::string> lines;

private:
    int count = 0;
};

std::string GroupName(const Project& project, const API_Guid& group)
{
    const API_PropertyGroup* g = project.properties.FindGroup(group);
    return g != nullptr ? g->name.ToUtf8() : "Korvel";
}

} // namespace

std::string WriteIfc(const Project& project, const std::string& fileName, const std::string& timestamp)
{
    Step step;
    const std::string projectName = project.info.untitled ? std::string() : project.info.name.ToUtf8();
    auto id = [&](const std::string& what) { return StepString(CompressedGuid(DerivedGuid(projectName + what))); };

    const int person = step.Add("IFCPERSON($,$,'',$,$,$,$,$)");
    const int organisation = step.Add("IFCORGANIZATION($,'Korvel',$,$,$)");
    const int personAndOrganisation =
        step.Add("IFCPERSONANDORGANIZATION(" + step.Ref(person) + "," + step.Ref(organisation) + ",$)");
    const int application =
        step.Add("IFCAPPLICATION(" + step.Ref(organisation) + ",'1.0','Korvel stand-alone host','korvel-host')");
    const int owner = step.Add("IFCOWNERHISTORY(" + step.Ref(personAndOrganisation) + "," + step.Ref(application) +
                               ",$,.ADDED.,$,$,$,0)");
    const std::string o = step.Ref(owner);
    const int length = step.Add("IFCSIUNIT(*,.LENGTHUNIT.,$,.METRE.)");
    const int area = step.Add("IFCSIUNIT(*,.AREAUNIT.,$,.SQUARE_METRE.)");
    const int volume = step.Add("IFCSIUNIT(*,.VOLUMEUNIT.,$,.CUBIC_METRE.)");
    const int units = step.Add("IFCUNITASSIGNMENT(" + Step::List({length, area, volume}) + ")");
    const int ifcProject = step.Add("IFCPROJECT(" + id("project") + "," + o + "," + StepString(projectName) +
                                    ",$,$,$,$,$," + step.Ref(units) + ")");
    const int site = step.Add("IFCSITE(" + id("site") + "," + o + ",'Site',$,$,$,$,$,.ELEMENT.,$,$,$,$,$)");
    const int building = step.Add("IFCBUILDING(" + id("building") + "," + o + ",'Building',$,$,$,$,$,.ELEMENT.,$,$,$)");
    const int storey = step.Add("IFCBUILDINGSTOREY(" + id("storey") + "," + o + ",'Storey 0',$,$,$,$,$,.ELEMENT.,0.)");
    step.Add("IFCRELAGGREGATES(" + id("project-site") + "," + o + ",$,$," + step.Ref(ifcProject) + ",(" +
             step.Ref(site) + "))");
    step.Add("IFCRELAGGREGATES(" + id("site-building") + "," + o + ",$,$," + step.Ref(site) + ",(" +
             step.Ref(building) + "))");
    step.Add("IFCRELAGGREGATES(" + id("building-storey") + "," + o + ",$,$," + step.Ref(building) + ",(" +
             step.Ref(storey) + "))");

    // Materials by name, each written once; composites as layer sets.
    std::map<std::string, int> materials;
    auto material = [&](AttrIndex index) {
        const Attribute* a = project.attributes.Find(AttrKind::buildingMaterial, index);
        const std::string name = a != nullptr ? a->name : "Material " + std::to_string(index);
        auto [it, added] = materials.emplace(name, 0);
        if (added)
            it->second = step.Add("IFCMATERIAL(" + StepString(name) + ",$,$)");
        return it->second;
    };
    std::map<AttrIndex, int> layerSets;
    auto layerSet = [&](AttrIndex index) {
        auto [it, added] = layerSets.emplace(index, 0);
        if (added) {
            const Attribute* composite = project.attributes.Find(AttrKind::composite, index);
            std::vector<int> layers;
            if (composite != nullptr && composite->Composite() != nullptr)
                for (const sim::CompositeComponent& c : composite->Composite()->components)
                    layers.push_back(step.Add("IFCMATERIALLAYER(" + step.Ref(material(c.buildingMaterial)) + "," +
                                              Real(c.fillThick) + ",$,$,$,$,$)"));
            it->second = step.Add("IFCMATERIALLAYERSET(" + Step::List(layers) + "," +
                                  StepString(composite != nullptr ? composite->name : "") + ",$)");
        }
        return it->second;
    };

    std::vector<int> products;
    std::map<int, std::vector<int>> productsByMaterial;
    project.elements.ForEach([&](const Element& e) {
        const Product kind = ProductOf(e.kind);
        const std::string* name = e.IfcName();
        std::string entity = std::string(kind.entity) + "(" + StepString(CompressedGuid(e.guid)) + "," + o + "," +
                             (name != nullptr ? StepString(*name) : "$") + ",$,$,$,$,$";
        for (int i = 0; i < kind.trailing; ++i)
            entity += ",$";
        const int product = step.Add(entity + ")");
        products.push_back(product);
        if (const ShellPayload* shell = e.Shell()) {
            if (shell->structure.kind == StructureKind::composite)
                productsByMaterial[layerSet(shell->structure.composite)].push_back(product);
            else if (shell->structure.kind == StructureKind::basic)
                productsByMaterial[material(shell->structure.buildingMaterial)].push_back(product);
        } else if (const MemberPayload* member = e.Member(); member != nullptr && !member->segments.empty()) {
            if (member->segments.front().kind == StructureKind::basic)
                productsByMaterial[material(member->segments.front().buildingMaterial)].push_back(product);
        }
        // The catalogue properties, a property set per group.
        std::map<std::string, std::vector<int>> sets;
        for (const auto& [definition, value] : e.properties) {
            const PropertyDefinition* d = project.properties.Find(definition);
            if (d == nullptr || d->field != BuiltInField::None || value.isDefault)
                continue;
            sets[GroupName(project, d->definition.groupGuid)].push_back(
                step.Add("IFCPROPERTYSINGLEVALUE(" + StepString(d->definition.name.ToUtf8()) + ",$,IFCLABEL(" +
                         StepString(value.text) + "),$)"));
        }
        for (const auto& [group, values] : sets) {
            const std::string key = APIGuidToString(e.guid).ToUtf8() + group;
            const int set = step.Add("IFCPROPERTYSET(" + id("pset" + key) + "," + o + "," + StepString(group) + ",$," +
                                     Step::List(values) + ")");
            step.Add("IFCRELDEFINESBYPROPERTIES(" + id("defines" + key) + "," + o + ",$,$,(" + step.Ref(product) +
                     ")," + step.Ref(set) + ")");
        }
    });
    if (!products.empty())
        step.Add("IFCRELCONTAINEDINSPATIALSTRUCTURE(" + id("contained") + "," + o + ",$,$," + Step::List(products) +
                 "," + step.Ref(storey) + ")");
    for (const auto& [materialId, associated] : productsByMaterial)
        step.Add("IFCRELASSOCIATESMATERIAL(" + id("material" + std::to_string(materialId)) + "," + o + ",$,$," +
                 Step::List(associated) + "," + step.Ref(materialId) + ")");

    std::string file = "ISO-10303-21;\nHEADER;\n"
                       "FILE_DESCRIPTION(('ViewDefinition [DesignTransferView]'),'2;1');\n"
                       "FILE_NAME(" +
                       StepString(fileName) + "," + StepString(timestamp) +
                       ",(''),('Korvel'),'Korvel stand-alone host','korvel-host','');\n"
                       "FILE_SCHEMA(('IFC4'));\nENDSEC;\nDATA;\n";
    for (const std::string& line : step.lines)
        file += line + "\n";
    return file + "ENDSEC;\nEND-ISO-10303-21;\n";
}

} // namespace sim
