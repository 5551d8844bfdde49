#pragma once
// Inside the port only: the generation-26 records turned into the port's own terms and back.
// No add-on file outside hostport/ includes this (the configuration checks it).
#include <cstring>
#include <string>

#include "APIdefs_Attributes.h"
#include "AttributeRef.hpp"
#include "Attributes.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

AttrRef RefOf(const API_Attr_Head& head);
API_Attr_Head HeadOf(const AttrRef& ref);
API_AttrTypeID TypeIdOf(AttrType type);

// The head of an attribute record as the port gives it, and back (the name cut at a
// character boundary to fit the record, as the host's buffer requires).
AttributeHead PortHead(const API_Attr_Head& head);
API_Attr_Head HostHead(const AttributeHead& head);

// Puts a text into a fixed record field, cut at a character boundary to leave room for the
// terminating zero.
template <std::size_t N> void CopyText(char (&target)[N], const std::string& text)
{
    std::memset(target, 0, N);
    const std::string cut = GS::TruncateUtf8(text, N - 1);
    std::memcpy(target, cut.data(), cut.size());
}

// The text of a fixed record field, up to its terminating zero.
template <std::size_t N> std::string FieldText(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

} // namespace KRV::port
