// Classification systems, their item trees, and items on attributes and elements.
#include "APIdefs_Classification.h"
#include "Edge.hpp"
#include "Host.hpp"

using sim::Host;

namespace {

sim::ClassificationStore& Store()
{
    return Host::Get().GetProject().classifications;
}

sim::Annotations* AttributeTarget(const API_Attr_Head& head)
{
    auto& attributes = Host::Get().GetProject().attributes;
    const sim::AttrIndex index = sim::IndexOf(head.index);
    return index != 0 ? static_cast<sim::Annotations*>(sim::FindAttribute(attributes, head.typeID, index)) : nullptr;
}

GSErrCode AddItem(sim::Annotations* target, const API_Guid& item)
{
    if (target == nullptr)
        return APIERR_BADID;
    const sim::ClassificationItemNode* node = Store().FindItem(item);
    if (node == nullptr)
        return APIERR_BADID;
    for (auto& pair : target->classification) {
        if (pair.first == node->system) {
            pair.second = item;
            return NoError;
        }
    }
    target->classification.push_back({node->system, item});
    return NoError;
}

GSErrCode GetItems(const sim::Annotations* target, GS::Array<GS::Pair<API_Guid, API_Guid>>& items)
{
    if (target == nullptr)
        return APIERR_BADID;
    items.Clear();
    for (const auto& pair : target->classification)
        items.Push(pair);
    return NoError;
}

// The host's records and the store's own.
API_ClassificationSystem ToHost(const sim::ClassificationSystem& s)
{
    API_ClassificationSystem out;
    out.guid = s.guid;
    out.name = s.name;
    out.description = s.description;
    out.source = s.source;
    out.editionVersion = s.editionVersion;
    out.editionDate = sim::HostDate(s.editionDate);
    return out;
}
sim::ClassificationSystem FromHost(const API_ClassificationSystem& s)
{
    return {s.guid, s.name, s.description, s.source, s.editionVersion, sim::DateOf(s.editionDate)};
}
API_ClassificationItem ToHost(const sim::ClassificationItem& i)
{
    API_ClassificationItem out;
    out.guid = i.guid;
    out.id = i.id;
    out.name = i.name;
    out.description = i.description;
    return out;
}
sim::ClassificationItem FromHost(const API_ClassificationItem& i)
{
    return {i.guid, i.id, i.name, i.description};
}

} // namespace

GSErrCode ACAPI_Classification_GetClassificationSystem(API_ClassificationSystem& system)
{
    SIM_ENTER("ACAPI_Classification_GetClassificationSystem");
    const sim::ClassificationSystem* found = system.guid == APINULLGuid
                                                 ? Store().FindSystem(system.name, system.editionVersion)
                                                 : Store().FindSystem(system.guid);
    if (found == nullptr)
        return APIERR_BADID;
    system = ToHost(*found);
    return NoError;
}

GSErrCode ACAPI_Classification_CreateClassificationSystem(API_ClassificationSystem& system)
{
    SIM_ENTER("ACAPI_Classification_CreateClassificationSystem");
    if (system.name.IsEmpty())
        return APIERR_BADNAME;
    if (!sim::ValidDate(system.editionDate))
        return APIERR_BADPARS;
    if (Store().FindSystem(system.name, system.editionVersion) != nullptr)
        return APIERR_NAMEALREADYUSED;
    system.guid = GSGuid2APIGuid(GS::Guid::Generate());
    Store().AddSystem(FromHost(system));
    return NoError;
}

GSErrCode ACAPI_Classification_GetClassificationSystemRootItems(const API_Guid& system,
                                                                GS::Array<API_ClassificationItem>& items)
{
    SIM_ENTER("ACAPI_Classification_GetClassificationSystemRootItems");
    if (Store().FindSystem(system) == nullptr)
        return APIERR_BADID;
    items.Clear();
    for (const sim::ClassificationItemNode* node : Store().Children(system, APINULLGuid))
        items.Push(ToHost(node->item));
    return NoError;
}

GSErrCode ACAPI_Classification_GetClassificationItemChildren(const API_Guid& item,
                                                             GS::Array<API_ClassificationItem>& children)
{
    SIM_ENTER("ACAPI_Classification_GetClassificationItemChildren");
    const sim::ClassificationItemNode* node = Store().FindItem(item);
    if (node == nullptr)
        return APIERR_BADID;
    children.Clear();
    for (const sim::ClassificationItemNode* child : Store().Children(node->system, item))
        children.Push(ToHost(child->item));
    return NoError;
}

GSErrCode ACAPI_Classification_CreateClassificationItem(API_ClassificationItem& item, const API_Guid& system,
                                                        const API_Guid& parent, const API_Guid& nextSibling)
{
    SIM_ENTER("ACAPI_Classification_CreateClassificationItem");
    if (Store().FindSystem(system) == nullptr || item.id.IsEmpty())
        return APIERR_BADPARS;
    if (parent != APINULLGuid && Store().FindItem(parent) == nullptr)
        return APIERR_BADID;
    sim::ClassificationItemNode node{FromHost(item), system, parent};
    node.item.guid = GSGuid2APIGuid(GS::Guid::Generate());
    Store().AddItem(node, nextSibling);
    item.guid = node.item.guid;
    return NoError;
}

GSErrCode ACAPI_Attribute_GetClassificationItems(const API_Attr_Head& head,
                                                 GS::Array<GS::Pair<API_Guid, API_Guid>>& items)
{
    SIM_ENTER("ACAPI_Attribute_GetClassificationItems");
    return GetItems(AttributeTarget(head), items);
}

GSErrCode ACAPI_Attribute_AddClassificationItem(const API_Attr_Head& head, const API_Guid& item)
{
    SIM_ENTER("ACAPI_Attribute_AddClassificationItem");
    return AddItem(AttributeTarget(head), item);
}

GSErrCode ACAPI_Element_GetClassificationItems(const API_Guid& element, GS::Array<GS::Pair<API_Guid, API_Guid>>& items)
{
    SIM_ENTER("ACAPI_Element_GetClassificationItems");
    return GetItems(Host::Get().GetProject().elements.Find(element), items);
}

GSErrCode ACAPI_Element_AddClassificationItem(const API_Guid& element, const API_Guid& item)
{
    SIM_ENTER_ELEMENT_CHANGE("ACAPI_Element_AddClassificationItem");
    return AddItem(Host::Get().GetProject().elements.Find(element), item);
}
