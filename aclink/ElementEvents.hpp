#pragma once
// Element events and property attachment: placed, copied and changed elements carry the
// catalogue data of what they are made of or placed from.
#include <vector>

#include "AttributeRef.hpp"
#include "Elements.hpp"
#include "GS/UniString.hpp"

namespace KRV {

// The handler the add-on installs for new elements and observed elements. It never lets
// an exception reach the host, and events that arrive while it runs are not handled again.
GSErrCode ElementEventHandlerProc(const port::ElementEvent& event);
// Installs it for new elements and for the elements the add-on observes.
void InstallElementEventHandler();
// Elements whose observer the host refused at their event are observed now, in an undoable
// command of its own when there are any (the take-off's refresh calls it first).
void ObserveElementsLeftUnobserved();
// Walls, slabs and roofs: the data of their composite or building material.
int ElemPlacedEventHandler(const port::ElementEvent& event);
// Objects (their library part's record), curtain walls and stairs (the record of their IFC name).
int AttachKVProperties(const port::ElemHead& element);
// Every placed object of the library part of that name gets its properties. Answers the
// first failure (each logged); the other objects are still written.
GSErrCode AttachKVProperties(const GS::UniString& name);
// The walls, slabs and roofs built of the composite; a failed read (logged) is answered,
// never taken for an element that does not use it.
GSErrCode GetElementsFromAttrib(const port::AttrRef& composite, std::vector<port::Element>& elements);

} // namespace KRV
