#include "cleaning/cookie_keep_list.h"

#include <algorithm>
#include <memory>

#include "base/text.h"

namespace tidora::cleaning {

namespace {

using platform::RegistryRoot;

bool HostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool ValidLabels(std::string_view host) {
  if (host.empty() || host.size() > 253) return false;
  std::size_t start = 0;
  while (start <= host.size()) {
    const std::size_t end = std::min(host.find('.', start), host.size());
    const std::string_view label = host.substr(start, end - start);
    if (label.empty() || label.size() > 63 || !std::ranges::all_of(label, HostCharacter)) {
      return false;
    }
    start = end + 1;
  }
  return true;
}

std::string_view WithoutScheme(std::string_view text) {
  const std::size_t scheme = text.find("://");
  return scheme == std::string_view::npos ? text : text.substr(scheme + 3);
}

// The host part: before a path, a port or a query; after a user name.
std::string_view HostPart(std::string_view text) {
  text = text.substr(0, text.find_first_of("/?#"));
  const std::size_t at = text.rfind('@');
  if (at != std::string_view::npos) text.remove_prefix(at + 1);
  return text.substr(0, text.find(':'));
}

std::string_view WithoutLeadingDots(std::string_view host) {
  while (!host.empty() && host.front() == '.') host.remove_prefix(1);
  return host;
}

}  // namespace

CookieKeepList::CookieKeepList(std::vector<std::string> domains) : domains_(std::move(domains)) {
  std::ranges::sort(domains_);
  domains_.erase(std::unique(domains_.begin(), domains_.end()), domains_.end());
}

bool CookieKeepList::Keeps(std::string_view host) const {
  const std::string name = base::AsciiLower(WithoutLeadingDots(HostPart(host)));
  return std::ranges::any_of(domains_, [&](const std::string& domain) {
    if (name == domain) return true;
    return name.size() > domain.size() && name.ends_with(domain) &&
           name[name.size() - domain.size() - 1] == '.';
  });
}

std::optional<std::string> CookieDomain(std::string_view text) {
  const std::string lower = base::AsciiLower(base::TrimBlanks(text));
  std::string host(WithoutLeadingDots(HostPart(WithoutScheme(lower))));
  while (!host.empty() && host.back() == '.') host.pop_back();  // the root's dot
  if (!ValidLabels(host)) return std::nullopt;
  return host;
}

CookieKeepList ReadCookieKeepList(platform::Registry& registry) {
  const auto key = registry.OpenForRead(RegistryRoot::CurrentUser, kKeepCookiesKey);
  if (!key) return {};
  std::vector<std::string> domains;
  for (const std::string& name : key->ValueNames()) {
    const auto text = platform::TextValue(*key, name);
    if (!text) continue;
    if (auto domain = CookieDomain(*text)) domains.push_back(std::move(*domain));
  }
  return CookieKeepList(std::move(domains));
}

bool SaveCookieKeepList(platform::Registry& registry, const CookieKeepList& list) {
  if (list.empty()) {
    registry.DeleteTree(RegistryRoot::CurrentUser, kKeepCookiesKey);
    return !registry.OpenForRead(RegistryRoot::CurrentUser, kKeepCookiesKey);
  }
  // The new domains first, the ones dropped after: a refusal half way loses nothing saved.
  try {
    const auto key = registry.Create(RegistryRoot::CurrentUser, kKeepCookiesKey);
    if (!key) return false;
    for (const std::string& domain : list.domains()) key->WriteString(domain, domain);
    for (const std::string& name : key->ValueNames()) {
      if (!std::ranges::binary_search(list.domains(), name)) key->DeleteValue(name);
    }
    return true;
  } catch (const platform::RegistryError&) {
    return false;
  }
}

std::string_view CookieEntryHost(std::string_view source_url) {
  constexpr std::string_view kPrefix = "cookie:";
  if (source_url.size() < kPrefix.size() ||
      base::AsciiLower(source_url.substr(0, kPrefix.size())) != kPrefix) {
    return {};
  }
  return HostPart(source_url.substr(kPrefix.size()));
}

}  // namespace tidora::cleaning
