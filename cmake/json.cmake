# nlohmann/json, header-only, from Debian's nlohmann-json3-dev. The MinGW compilers must not see
# /usr/include itself (its C library headers break them), so every build gets an include folder
# holding only a link to nlohmann/.
find_path(TIDORA_NLOHMANN_PARENT nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH)
if(NOT TIDORA_NLOHMANN_PARENT)
  message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev (scripts/install-deps)")
endif()
set(TIDORA_JSON_ROOT ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${TIDORA_JSON_ROOT})
file(CREATE_LINK ${TIDORA_NLOHMANN_PARENT}/nlohmann ${TIDORA_JSON_ROOT}/nlohmann SYMBOLIC)
add_library(tidora_json INTERFACE)
target_include_directories(tidora_json SYSTEM INTERFACE ${TIDORA_JSON_ROOT})
