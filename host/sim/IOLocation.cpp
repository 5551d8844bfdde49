#include "IOLocation.hpp"

#include "APIErrors.h"

namespace IO {

GSErrCode Location::ToPath(GS::UniString* result) const
{
    if (result == nullptr)
        return APIERR_BADPARS;
    *result = path;
    return NoError;
}

GSErrCode Location::AppendToLocal(const Name& name)
{
    if (name.IsEmpty())
        return APIERR_BADNAME;
    if (!path.IsEmpty() && !path.EndsWith("/"))
        path += "/";
    path += name.ToString();
    return NoError;
}

GSErrCode Location::DeleteLastLocalName()
{
    std::string text = path.ToUtf8();
    auto slash = text.find_last_of('/');
    if (slash == std::string::npos)
        return APIERR_BADNAME;
    path = GS::UniString(text.substr(0, slash == 0 ? 1 : slash));
    return NoError;
}

GSErrCode Location::GetLastLocalName(Name* name) const
{
    if (name == nullptr)
        return APIERR_BADPARS;
    std::string text = path.ToUtf8();
    auto slash = text.find_last_of('/');
    *name = Name(GS::UniString(slash == std::string::npos ? text : text.substr(slash + 1)));
    return NoError;
}

} // namespace IO
