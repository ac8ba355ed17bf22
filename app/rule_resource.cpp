#include "app/rule_resource.h"

#include <windows.h>

namespace tidora::app {

std::string BuiltInRulesText() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, L"BUILTIN_RULES", MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);  // lives as long as the module: nothing to free
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

}  // namespace tidora::app
