#pragma once
// Inside the port only: the host's records turned into the port's own terms and back.
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

// The same for the host's wide (UTF-16) fields: library part names, parameter descriptions.
template <std::size_t N> void CopyText(GS::uchar_t (&target)[N], const std::string& text)
{
    std::memset(target, 0, sizeof target);
    const GS::UniString::UStr wide = GS::UniString(text).ToUStr();
    std::size_t length = 0;
    while (length + 1 < N && wide.Get()[length] != 0)
        ++length;
    // Never half a surrogate pair at the end.
    if (length > 0 && length + 1 == N && wide.Get()[length - 1] >= 0xD800 && wide.Get()[length - 1] < 0xDC00)
        --length;
    std::memcpy(target, wide.Get(), length * sizeof(GS::uchar_t));
}

template <std::size_t N> std::string FieldText(const GS::uchar_t (&field)[N])
{
    GS::uchar_t copy[N + 1] = {};
    std::memcpy(copy, field, sizeof field);
    return GS::UniString(copy).ToUtf8();
}

} // namespace KRV::port
