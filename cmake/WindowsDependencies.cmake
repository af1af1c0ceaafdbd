# What the Windows build takes from the build machine's Debian packages: the header-only CLI11,
# nlohmann-json and dtl (their headers only, not the rest of /usr/include), and GoogleTest built from its
# sources with the cross compiler.

set(KORVANE_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${KORVANE_HOST_HEADERS})
foreach(folder CLI nlohmann dtl)
    if(NOT EXISTS /usr/include/${folder})
        message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/install-deps.sh")
    endif()
    file(CREATE_LINK /usr/include/${folder} ${KORVANE_HOST_HEADERS}/${folder} SYMBOLIC)
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${KORVANE_HOST_HEADERS})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${KORVANE_HOST_HEADERS})
add_library(dtl::dtl INTERFACE IMPORTED)
target_include_directories(dtl::dtl SYSTEM INTERFACE ${KORVANE_HOST_HEADERS})

if(KORVANE_TESTS OR NOT DEFINED KORVANE_TESTS)
    set(KORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian package googletest)")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${KORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
