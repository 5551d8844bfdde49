// What a person does to elements: place, copy, change, edit, rename and delete them.
#include "ElementActions.hpp"

#include <stdexcept>

#include "ElementsFile.hpp"
#include "Host.hpp"
#include "Notifications.hpp"
#include "ProjectFile.hpp"

namespace sim::user {

namespace {

Element& Existing(const API_Guid& guid)
{
    Element* e = Host::Get().GetProject().elements.Find(guid);
    if (e == nullptr)
        throw std::invalid_argument("no element " + APIGuidToString(guid).ToUtf8());
    return *e;
}

API_Guid NewGuid()
{
    API_Guid guid;
    do
        guid = GSGuid2APIGuid(GS::Guid::Generate());
    while (Host::Get().GetProject().elements.Find(guid) != nullptr);
    return guid;
}

} // namespace

API_Guid PlaceElement(const nlohmann::json& description, const std::optional<API_Guid>& copyOf)
{
    std::optional<Element> parent;
    if (copyOf)
        parent = Existing(*copyOf);
    Element element;
    try {
        element = LoadElement(description);
    } catch (const nlohmann::json::exception& e) {
        throw std::invalid_argument(std::string("bad element: ") + e.what());
    }
    if (!description.contains("guid"))
        element.guid = NewGuid();
    else if (Host::Get().GetProject().elements.Find(element.guid) != nullptr)
        throw std::invalid_argument("the guid " + APIGuidToString(element.guid).ToUtf8() + " is used already");
    const API_Guid guid = Host::Get().GetProject().elements.Add(std::move(element)).guid;
    EventSeries series;
    series.Deliver(APINotifyElement_New, guid, parent);
    return guid;
}

API_Guid CopyElement(const API_Guid& source)
{
    Element copy = Existing(source);
    const Element original = copy;
    copy.guid = NewGuid();
    copy.observed = false; // observers belong to the element they were attached to
    const API_Guid guid = Host::Get().GetProject().elements.Add(std::move(copy)).guid;
    EventSeries series;
    series.Deliver(APINotifyElement_Copy, guid, original);
    return guid;
}

void ChangeElement(const API_Guid& guid, const nlohmann::json& set)
{
    Element& element = Existing(guid);
    if (!set.is_object())
        throw std::invalid_argument("\"set\" holds the members to change");
    Element changed = element;
    try {
        LoadElementMembers(set, changed);
    } catch (const nlohmann::json::exception& e) {
        throw std::invalid_argument(std::string("bad change: ") + e.what());
    }
    element = changed;
    EventSeries series;
    series.Deliver(APINotifyElement_Change, guid);
}

void EditElement(const API_Guid& guid)
{
    Existing(guid);
    EventSeries series;
    series.Deliver(APINotifyElement_Edit, guid);
}

void RenameElement(const API_Guid& guid, const std::string& name)
{
    Element& element = Existing(guid);
    bool found = false;
    for (auto& [key, value] : element.ifcAttributes)
        if (key == "Name" && !found) {
            value = name;
            found = true;
        }
    if (!found)
        element.ifcAttributes.emplace_back("Name", name);
    EventSeries series;
    series.Deliver(APINotifyElement_Change, guid);
}

void DeleteElement(const API_Guid& guid)
{
    Existing(guid);
    {
        EventSeries series;
        series.Deliver(APINotifyElement_Delete, guid);
    }
    Host::Get().GetProject().elements.Remove(guid);
}

void NotifyElement(const API_Guid& guid, API_ElementDBEventID code, const std::optional<API_Guid>& parent)
{
    Existing(guid);
    std::optional<Element> parentElement;
    if (parent)
        parentElement = Existing(*parent);
    EventSeries series;
    series.Deliver(code, guid, parentElement);
}

} // namespace sim::user
