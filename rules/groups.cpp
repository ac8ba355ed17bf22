#include "rules/groups.h"

#include <array>
#include <string_view>

namespace tidora::rules {

namespace {

struct Group {
  int number;
  std::string_view name;
};

constexpr std::array<Group, 14> kGroups = {{
    {3006, "Microsoft Edge"},
    {3021, "Applications"},
    {3022, "Internet"},
    {3023, "Multimedia"},
    {3024, "Utilities"},
    {3025, "Windows"},
    {3026, "Firefox"},
    {3027, "Opera"},
    {3028, "Safari"},
    {3029, "Google Chrome"},
    {3030, "Thunderbird"},
    {3031, "Windows Store"},
    {3033, "Vivaldi"},
    {3034, "Brave"},
}};

}  // namespace

std::string GroupName(int lang_sec_ref) {
  for (const auto& group : kGroups) {
    if (group.number == lang_sec_ref) return std::string(group.name);
  }
  return "Other";
}

}  // namespace tidora::rules
