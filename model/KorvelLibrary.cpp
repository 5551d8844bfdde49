// A library container as the catalogue describes it, read from JSON.
#include "KorvelLibrary.hpp"

namespace KRV {

void from_json(const json& j, KorvelLibrary& library)
{
    json entries = json::array();
    if (j.is_null())
        return;
    if (j.is_object()) {
        if (j.contains("id"))
            library.SetID(j.at("id").get<GS::UniString>());
        if (j.contains("file_url"))
            library.SetPath(j.at("file_url").get<GS::UniString>());
        if (j.contains("name"))
            library.SetName(j.at("name").get<GS::UniString>() + ".lcf");
    }
    AppendKorvelEntries(j, entries);

    if (j.is_object() && j.contains("articles")) {
        for (const json& article : j.at("articles")) {
            if (!article.is_object() || !article.contains("tabs"))
                continue;
            for (const json& tab : article.at("tabs"))
                AppendTabEntries(tab, entries);
        }
    }

    KorvelProperties properties;
    from_json(entries, properties);
    library.SetProperties(properties);
}

} // namespace KRV
