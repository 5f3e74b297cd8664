# Read by cpack for each generator (CPACK_PROJECT_CONFIG_FILE).
if(CPACK_GENERATOR STREQUAL "DEB")
    if(NOT CPACK_KESTRUNE_INSTALL_PREFIX STREQUAL "/usr" OR NOT CPACK_KESTRUNE_INSTALL_GAMEDIR STREQUAL "games")
        message(FATAL_ERROR "Debian packages need a build configured with -DCMAKE_INSTALL_PREFIX=/usr "
                            "-DKESTRUNE_INSTALL_GAMEDIR=games (this one has ${CPACK_KESTRUNE_INSTALL_PREFIX} and "
                            "${CPACK_KESTRUNE_INSTALL_GAMEDIR}); scripts/package-check.sh sets them")
    endif()
    # Each package's description starts with a synopsis of its own; CPack
    # would put the project's one summary above both (it leaves the default
    # summary out).
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CPACK_DEFAULT_PACKAGE_DESCRIPTION_SUMMARY}")
endif()
