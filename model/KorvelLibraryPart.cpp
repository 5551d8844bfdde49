// A library part (the catalogue's "product") as the catalogue describes it, read from JSON.
#include "KorvelLibraryPart.hpp"

namespace KRV {

void from_json(const json& j, KorvelLibraryPart& part)
{
    json entries = json::array();
    const json& articles = j.at("articles");
    // A product without articles is its own article.
    const bool ownArticle = articles.empty();
    const json& item = ownArticle ? j : *articles.begin();
    const json& tabs = ownArticle ? j.at("product_tabs") : item.at("tabs");

    if (item.is_object()) {
        if (item.contains("id"))
            part.SetID(item.at("id").get<GS::UniString>());
        if (item.contains("file_url"))
            part.SetPath(item.at("file_url").get<GS::UniString>());
        if (item.contains("name"))
            part.SetName(item.at("name").get<GS::UniString>() + ".gsm");
    }
    AppendKorvelEntries(item, entries);

    for (const json& tab : tabs)
        if (tab.is_object())
            AppendTabEntries(tab, entries);

    KorvelProperties properties;
    from_json(entries, properties);
    part.SetProperties(properties);
}

} // namespace KRV
