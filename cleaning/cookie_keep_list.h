#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace tidora::cleaning {

// The domains whose cookies a run keeps: a domain keeps itself and every subdomain, so
// "example.com" keeps "example.com", ".example.com" and "mail.example.com", never
// "badexample.com".
class CookieKeepList {
 public:
  CookieKeepList() = default;
  explicit CookieKeepList(std::vector<std::string> domains);

  // host as a cookie store writes it: any case, with or without a leading dot or a port.
  bool Keeps(std::string_view host) const;
  bool empty() const { return domains_.empty(); }
  // Sorted, each once, as CookieDomain made them.
  const std::vector<std::string>& domains() const { return domains_; }

 private:
  std::vector<std::string> domains_;
};

// A domain as the keep-list holds it: lower case, no leading dots, no scheme, port or path
// ("https://Mail.Example.com:8080/x" is "mail.example.com"); nullopt for text that names no
// host (blanks, labels with characters a host name cannot have, empty labels).
std::optional<std::string> CookieDomain(std::string_view text);

// Where the list lives. Read when a run reaches a cookie item or the editor opens; with no saved
// list there is nothing to read and every cookie goes.
inline constexpr std::string_view kKeepCookiesKey = "Software\\Tidora\\KeepCookies";

// The saved list; empty when none was saved. Values that are no domain are passed over.
CookieKeepList ReadCookieKeepList(platform::Registry& registry);
// Saves the list as one text value per domain, replacing what was saved; an empty list removes
// the key, so that nothing stays behind. False when the registry refused.
bool SaveCookieKeepList(platform::Registry& registry, const CookieKeepList& list);

// The host of an Internet Explorer cookie entry ("Cookie:user@mail.example.com/path"), or ""
// when it has none.
std::string_view CookieEntryHost(std::string_view source_url);

}  // namespace tidora::cleaning
