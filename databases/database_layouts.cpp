#include "databases/database_layouts.h"

#include <algorithm>

namespace tidora::databases {

namespace {

// Firefox keeps bookmarks and history in one database: a place that a bookmark or a keyword
// uses (foreign_count) or a bookmark points at stays, and so does the origin it belongs to.
// Visit counts and dates on the places that stay would still tell when they were visited.
const DatabaseLayout kFirefoxHistory{
    "FirefoxHistory",
    {
        {"moz_historyvisits",
         {"id", "place_id", "visit_date"},
         true,
         "DELETE FROM moz_historyvisits"},
        {"moz_inputhistory", {"place_id", "input"}, true, "DELETE FROM moz_inputhistory"},
        {"moz_bookmarks", {"fk"}, true, ""},
        {"moz_places",
         {"id", "url", "foreign_count", "origin_id"},
         true,
         "DELETE FROM moz_places WHERE foreign_count = 0 AND id NOT IN "
         "(SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL)"},
        {"moz_places",
         {"visit_count", "last_visit_date"},
         false,
         "UPDATE moz_places SET visit_count = 0, last_visit_date = NULL "
         "WHERE visit_count <> 0 OR last_visit_date IS NOT NULL"},
        {"moz_origins",
         {"id"},
         true,
         "DELETE FROM moz_origins WHERE id NOT IN "
         "(SELECT origin_id FROM moz_places WHERE origin_id IS NOT NULL)"},
    },
    "SELECT count(*) FROM moz_historyvisits",
    "",
    "",
};

// Chromium keeps bookmarks in a file of their own: every row of history goes, the meta table
// and the file stay.
const DatabaseLayout kChromiumHistory{
    "ChromiumHistory",
    {
        {"visits", {"id"}, true, "DELETE FROM visits"},
        {"urls", {"id"}, true, "DELETE FROM urls"},
        {"visit_source", {}, false, "DELETE FROM visit_source"},
        {"keyword_search_terms", {}, false, "DELETE FROM keyword_search_terms"},
        {"segment_usage", {}, false, "DELETE FROM segment_usage"},
        {"segments", {}, false, "DELETE FROM segments"},
        {"downloads_url_chains", {}, false, "DELETE FROM downloads_url_chains"},
        {"downloads", {}, false, "DELETE FROM downloads"},
    },
    "SELECT count(*) FROM visits",
    "",
    "",
};

// Form entries go; search engines, addresses and cards share the file and stay.
const DatabaseLayout kChromiumFormData{
    "ChromiumFormData",
    {
        {"autofill",
         {"name", "value", "count", "date_created", "date_last_used"},
         true,
         "DELETE FROM autofill"},
    },
    "SELECT count(*) FROM autofill",
    "",
    "",
};

const DatabaseLayout kFirefoxFormHistory{
    "FirefoxFormHistory",
    {
        {"moz_formhistory", {"id", "fieldname", "value"}, true, "DELETE FROM moz_formhistory"},
    },
    "SELECT count(*) FROM moz_formhistory",
    "",
    "",
};

const DatabaseLayout kFirefoxCookies{
    "FirefoxCookies", {{"moz_cookies", {"host"}, true, ""}}, "", "moz_cookies", "host",
};

const DatabaseLayout kChromiumCookies{
    "ChromiumCookies", {{"cookies", {"host_key"}, true, ""}}, "", "cookies", "host_key",
};

const DatabaseLayout kLayouts[] = {kFirefoxHistory,  kFirefoxFormHistory, kFirefoxCookies,
                                   kChromiumHistory, kChromiumFormData,   kChromiumCookies};

}  // namespace

std::span<const DatabaseLayout> DatabaseLayouts() {
  return kLayouts;
}

const DatabaseLayout* LayoutNamed(std::string_view name) {
  const auto found = std::ranges::find(kLayouts, name, &DatabaseLayout::name);
  return found == std::end(kLayouts) ? nullptr : &*found;
}

}  // namespace tidora::databases
