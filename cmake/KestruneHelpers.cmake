# Adds every listed subfolder. A listed folder without a CMakeLists.txt stops
# the configuration, so that a typo cannot silently drop a layer.
function(kestrune_add_subdirectories)
    foreach(dir IN LISTS ARGN)
        if(NOT EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
            message(FATAL_ERROR "kestrune_add_subdirectories: ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt does not exist")
        endif()
        add_subdirectory(${dir})
    endforeach()
endfunction()

# kestrune_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One QTest executable registered with CTest. Every test runs headless and with
# its own HOME and XDG folders below the build tree, so it never sees the
# user's settings or data; and in English with C number formats, whatever the
# user's language (the program follows it).
function(kestrune_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests/support")
    add_test(NAME ${name} COMMAND ${name})
    set(sandbox "${CMAKE_BINARY_DIR}/test-home/${name}")
    file(MAKE_DIRECTORY "${sandbox}/runtime")
    file(CHMOD "${sandbox}/runtime" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANGUAGE=en;HOME=${sandbox};XDG_CONFIG_HOME=${sandbox}/config;XDG_DATA_HOME=${sandbox}/data;XDG_CACHE_HOME=${sandbox}/cache;XDG_RUNTIME_DIR=${sandbox}/runtime")
endfunction()

# kestrune_add_benchmark(<name> SOURCES <files...> LIBS <targets...>)
function(kestrune_add_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE benchmark::benchmark ${ARG_LIBS})
endfunction()
