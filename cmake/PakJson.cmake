# nlohmann/json (header-only; Debian nlohmann-json3-dev) as the target
# kit_json. Natively the installed package is found. The MinGW builds must
# not see the host's /usr/include, so its nlohmann/ headers are copied into
# an include folder of the build tree that holds nothing else.
include_guard(GLOBAL)
if(NOT TARGET kit_json)
  add_library(kit_json INTERFACE)
  if(WIN32)
    find_path(PAK_NLOHMANN_HOST_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
    if(NOT PAK_NLOHMANN_HOST_DIR)
      message(FATAL_ERROR "nlohmann/json.hpp not found in /usr/include: install nlohmann-json3-dev")
    endif()
    set(PAK_JSON_INCLUDE_DIR ${CMAKE_BINARY_DIR}/json-include)
    file(COPY ${PAK_NLOHMANN_HOST_DIR}/nlohmann DESTINATION ${PAK_JSON_INCLUDE_DIR})
    target_include_directories(kit_json SYSTEM INTERFACE ${PAK_JSON_INCLUDE_DIR})
  else()
    find_package(nlohmann_json 3 REQUIRED)
    target_link_libraries(kit_json INTERFACE nlohmann_json::nlohmann_json)
  endif()
endif()
