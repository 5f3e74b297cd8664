# Debian packages: `cpack -G DEB` in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr makes
#   kestrune         the game: the install() rules without a component
#   kestrune-server  the component "server": the program and its systemd unit
# each with its man page, copyright and changelog. scripts/package-check.sh
# builds, lints, installs and removes them.
include(GNUInstallDirs)

# What install() files without a component under.
set(KESTRUNE_GAME_COMPONENT "${CMAKE_INSTALL_DEFAULT_COMPONENT_NAME}")
if(NOT KESTRUNE_GAME_COMPONENT)
    set(KESTRUNE_GAME_COMPONENT Unspecified)
endif()

set(deb_source "${PROJECT_SOURCE_DIR}/data/deb")
set(deb_binary "${PROJECT_BINARY_DIR}/deb")

# The changelog's newest entry names the version being packaged: a release
# that forgot one or the other stops here, not in the hands of a user.
file(STRINGS "${deb_source}/changelog" changelog_lines)
list(GET changelog_lines 0 changelog_head)
if(NOT changelog_head MATCHES "^kestrune \\(([^)]+)\\) ")
    message(FATAL_ERROR "${deb_source}/changelog: the first line is not 'kestrune (VERSION) ...': ${changelog_head}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${deb_source}/changelog: the newest entry is ${CMAKE_MATCH_1}, the project is ${PROJECT_VERSION}; "
                        "add an entry for ${PROJECT_VERSION}")
endif()
foreach(line IN LISTS changelog_lines)
    if(line MATCHES "^ -- .*>  [A-Z][a-z][a-z], ([0-9]+ [A-Z][a-z][a-z] [0-9]+) ")
        set(KESTRUNE_RELEASE_DATE "${CMAKE_MATCH_1}")
        break()
    endif()
endforeach()
if(NOT KESTRUNE_RELEASE_DATE)
    message(FATAL_ERROR "${deb_source}/changelog: the newest entry has no ' -- NAME <ADDRESS>  DATE' line")
endif()

# Man pages and the changelog go compressed, without a time stamp, so that
# two builds of one source make the same package.
find_program(KESTRUNE_GZIP gzip REQUIRED)
function(kestrune_gzip input output)
    execute_process(COMMAND "${KESTRUNE_GZIP}" -9nc INPUT_FILE "${input}" OUTPUT_FILE "${output}"
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "gzip ${input}: ${failed}")
    endif()
endfunction()

set(KESTRUNE_MODULE_FULL_DIR "${CMAKE_INSTALL_FULL_LIBDIR}/kestrune")
set(pages kestrune.6)
if(KESTRUNE_BUILD_SERVER)
    list(APPEND pages kestrune-server.8)
endif()
foreach(page IN LISTS pages)
    configure_file("${deb_source}/${page}.in" "${deb_binary}/${page}" @ONLY)
    kestrune_gzip("${deb_binary}/${page}" "${deb_binary}/${page}.gz")
endforeach()
kestrune_gzip("${deb_source}/changelog" "${deb_binary}/changelog.gz")
set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${deb_source}/changelog")

install(FILES "${deb_binary}/kestrune.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6"
        COMPONENT ${KESTRUNE_GAME_COMPONENT})
install(FILES "${deb_source}/copyright" "${deb_binary}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/kestrune" COMPONENT ${KESTRUNE_GAME_COMPONENT})
set(CPACK_COMPONENTS_ALL ${KESTRUNE_GAME_COMPONENT})

if(KESTRUNE_BUILD_SERVER)
    kestrune_gzip("${PROJECT_SOURCE_DIR}/docs/server-api.md" "${deb_binary}/server-api.md.gz")
    install(FILES "${deb_binary}/kestrune-server.8.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man8" COMPONENT server)
    install(FILES "${deb_source}/copyright" "${deb_binary}/changelog.gz" "${deb_binary}/server-api.md.gz"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/kestrune-server" COMPONENT server)
    # dpkg takes the maintainer scripts by their file names.
    foreach(script postinst prerm postrm)
        configure_file("${deb_source}/kestrune-server.${script}" "${deb_binary}/server/${script}" COPYONLY)
    endforeach()
    list(APPEND CPACK_COMPONENTS_ALL server)
endif()

# The toolkit's project setup gives installed programs a run path relative
# to themselves, for a toolkit installed beside them; below /usr the
# libraries are where the loader looks anyway, and Debian wants none.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    foreach(installed IN ITEMS kestrune kestrune_http_curl kestrune-server)
        if(TARGET ${installed})
            set_target_properties(${installed} PROPERTIES INSTALL_RPATH "")
        endif()
    endforeach()
endif()

# cpack installs what is built, without building everything first: the
# packages need three targets, a build folder may have hundreds of tests out
# of date (scripts/package-check.sh builds the three).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrune)
set(CPACK_PACKAGE_VENDOR "Kestrune developers")
set(CPACK_PACKAGE_CONTACT "Kestrune developers <kestrune@users.noreply.github.com>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
set(CPACK_STRIP_FILES ON)
# One package per component.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends from the libraries the programs and the module link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

string(TOUPPER "${KESTRUNE_GAME_COMPONENT}" game)
set(CPACK_DEBIAN_${game}_PACKAGE_NAME kestrune)
set(CPACK_DEBIAN_${game}_PACKAGE_SECTION games)
# The game's own texts are inside the program; Qt's few (a text field's
# menu) come from Qt's translations when installed.
set(CPACK_DEBIAN_${game}_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_${game}_DESCRIPTION "code-breaking game of bulls and cows
Kestrune draws a secret code of four different digits from 1 to 9. Type a
shot and read the answer: a bull for every digit in its right place, a cow
for every digit of the code at another place. Break the code within ten
shots; a quick break earns up to 1000 points.

One player plays against the clock with three hints a match, two players
share one board or play face to face on a tablet-sized window, or one player
takes on the computer. Statistics, a tutorial, and achievements and
leaderboards kept on this computer or on a kestrune-server come with it.
It speaks English, German, French, Spanish and Russian.")

set(CPACK_DEBIAN_SERVER_PACKAGE_NAME kestrune-server)
set(CPACK_DEBIAN_SERVER_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SERVER_PACKAGE_SUGGESTS postgresql)
set(CPACK_DEBIAN_SERVER_PACKAGE_CONTROL_EXTRA
    "${deb_binary}/server/postinst;${deb_binary}/server/prerm;${deb_binary}/server/postrm")
set(CPACK_DEBIAN_SERVER_DESCRIPTION "server for Kestrune accounts, leaderboards and achievements
kestrune-server keeps accounts, leaderboards, achievements and challenges for
many players of the Kestrune code-breaking game, over HTTP/1.1 and JSON, on
SQLite or PostgreSQL, with health and Prometheus metrics endpoints.

The package installs a hardened systemd unit, kestrune-server.service, that
runs it as a dynamic user on 127.0.0.1:8080 with its database in
/var/lib/kestrune-server. The unit is neither enabled nor started: enable it
with systemctl enable --now kestrune-server.")

# The configured paths (the unit's ExecStart, the module's folder as the
# program sees it) are baked in at configure time; a Debian package must
# have them below /usr, and the game in /usr/games.
set(CPACK_KESTRUNE_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_KESTRUNE_INSTALL_GAMEDIR "${KESTRUNE_INSTALL_GAMEDIR}")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/KestruneCPackOptions.cmake")

include(CPack)
