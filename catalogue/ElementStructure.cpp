// What a wall, slab or roof is built of.
#include "ElementStructure.hpp"

#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "RequestScoped.hpp"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace KRV {

namespace {

using Shells = std::unordered_map<API_Guid, ShellFacts>;

} // namespace

ShellFacts FactsOf(const port::Element& element)
{
    ShellFacts facts;
    facts.kind = element.head.kind;
    if (port::IsShell(element.head.kind)) {
        facts.structure = element.shell;
        facts.wallType = element.wallType;
        facts.wallThicknessEnd = element.wallThicknessEnd;
    }
    return facts;
}

std::optional<port::ShellStructure> StructureOf(const API_Guid& guid)
{
    port::Element element;
    if (GSErrCode err = port::GetElement(guid, element); err != NoError) {
        LogArchicadErrorCodeMessage(err, "StructureOf::", port::getElementCall);
        return std::nullopt;
    }
    if (!port::IsShell(element.head.kind))
        return std::nullopt;
    const ShellFacts facts = FactsOf(element);
    if (Shells* shells = RequestScoped<Shells>::Current())
        (*shells)[guid] = facts;
    return facts.structure;
}

ShellFactsScope::ShellFactsScope()
{
    RequestScoped<Shells>::Open();
}

ShellFactsScope::~ShellFactsScope()
{
    RequestScoped<Shells>::Close();
}

const ShellFacts* KnownShell(const API_Guid& element)
{
    const Shells* shells = RequestScoped<Shells>::Current();
    if (shells == nullptr)
        return nullptr;
    auto it = shells->find(element);
    return it == shells->end() ? nullptr : &it->second;
}

namespace {

// What the walls, slabs and roofs are built of, as read during the current request.
struct CompositeUse {
    bool read = false;
    std::vector<API_Guid> order;                   // the host's order of walls, then slabs, then roofs
    std::unordered_map<API_Guid, Int32> composite; // of those built of one
    bool visibleRead = false;
    std::unordered_set<API_Guid> visible;
};

GSErrCode ReadUse(CompositeUse& into, const char* where)
{
    std::vector<API_Guid> order;
    std::unordered_map<API_Guid, Int32> composite;
    for (port::ElemKind kind : port::shellKinds) {
        GS::Array<API_Guid> list;
        if (GSErrCode err = port::ElementList(kind, list); err != NoError) {
            LogArchicadErrorCodeMessage(err, std::string(where) + "::", port::elementListCall);
            return err;
        }
        for (const API_Guid& guid : list) {
            auto structure = StructureOf(guid);
            if (!structure)
                return hosterr::general; // logged: whether it is built of the composite is not known
            order.push_back(guid);
            // Only elements built of a composite: the composite field of the others means nothing.
            if (structure->structure == port::Structure::composite)
                composite.emplace(guid, structure->composite);
        }
    }
    into.order = std::move(order);
    into.composite = std::move(composite);
    into.read = true;
    return NoError;
}

GSErrCode ReadVisible(CompositeUse& into, const char* where)
{
    GS::Array<API_Guid> list;
    if (GSErrCode err = port::ElementList(port::ElemKind::any, list, port::onVisibleLayers); err != NoError) {
        LogArchicadErrorCodeMessage(err, std::string(where) + "::", port::elementListCall);
        return err;
    }
    into.visible.clear();
    for (const API_Guid& guid : list)
        into.visible.insert(guid);
    into.visibleRead = true;
    return NoError;
}

} // namespace

CompositeUseScope::CompositeUseScope()
{
    RequestScoped<CompositeUse>::Open();
}

CompositeUseScope::~CompositeUseScope()
{
    RequestScoped<CompositeUse>::Close();
}

GSErrCode ElementsBuiltOf(Int32 composite, bool visibleOnly, const char* where, std::vector<API_Guid>& elements)
{
    elements.clear();
    CompositeUse once;
    CompositeUse* use = RequestScoped<CompositeUse>::Current();
    CompositeUse& known = use != nullptr ? *use : once;
    if (!known.read)
        if (GSErrCode err = ReadUse(known, where); err != NoError)
            return err;
    if (visibleOnly && !known.visibleRead)
        if (GSErrCode err = ReadVisible(known, where); err != NoError)
            return err;
    for (const API_Guid& guid : known.order) {
        auto it = known.composite.find(guid);
        if (it == known.composite.end() || it->second != composite)
            continue;
        if (!visibleOnly || known.visible.count(guid) != 0)
            elements.push_back(guid);
    }
    return NoError;
}

void CompositeChanged(const API_Guid& element, Int32, Int32 to)
{
    CompositeUse* use = RequestScoped<CompositeUse>::Current();
    if (use == nullptr || !use->read)
        return;
    if (auto it = use->composite.find(element); it != use->composite.end())
        it->second = to;
}

} // namespace KRV
