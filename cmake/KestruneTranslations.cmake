# The languages the game ships, their .ts sources, and the maintainer target
# that refreshes those sources from the code:
#   cmake --build build --target kestrune_lupdate
# The build itself only reads the .ts files (lrelease in src/platform/i18n).

set(KESTRUNE_LANGUAGES de fr es ru)
set(KESTRUNE_TS_DIR "${PROJECT_SOURCE_DIR}/translations")
set(KESTRUNE_TS_FILES "${KESTRUNE_TS_DIR}/kestrune_en.ts")
foreach(language IN LISTS KESTRUNE_LANGUAGES)
    list(APPEND KESTRUNE_TS_FILES "${KESTRUNE_TS_DIR}/kestrune_${language}.ts")
endforeach()

# Every folder with texts a player reads. The server's code is shared with
# kestrune-server, which speaks English, and is left out.
set(KESTRUNE_TRANSLATED_DIRS
    src/app src/game src/platform src/views src/screens
    src/gameservice/catalogue src/gameservice/kit src/gameservice/local src/gameservice/network
    src/gameservice/client src/gameservice/screens)
set(KESTRUNE_LUPDATE_OPTIONS -extensions cpp,h,ui -locations relative)

set(lupdate_commands)
foreach(language IN LISTS KESTRUNE_LANGUAGES)
    list(APPEND lupdate_commands
        COMMAND Qt6::lupdate ${KESTRUNE_LUPDATE_OPTIONS} ${KESTRUNE_TRANSLATED_DIRS}
                -target-language ${language} -ts "${KESTRUNE_TS_DIR}/kestrune_${language}.ts")
endforeach()
# English needs only its plural forms ("1 shot", "2 shots").
list(APPEND lupdate_commands
    COMMAND Qt6::lupdate ${KESTRUNE_LUPDATE_OPTIONS} -pluralonly ${KESTRUNE_TRANSLATED_DIRS}
            -target-language en -ts "${KESTRUNE_TS_DIR}/kestrune_en.ts")
add_custom_target(kestrune_lupdate
    ${lupdate_commands}
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    COMMENT "Refreshing the .ts files in translations/ from the sources"
    VERBATIM)
