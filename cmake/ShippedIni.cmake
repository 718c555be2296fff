# Puts the shipped configuration into a working folder: a copy of its own, never a link to the
# source tree, so the settings a run writes there stay in the build. A user's settings already
# there are kept. An "[IPC]" section is left out: it only names a running instance, and a copy
# must never announce one.
#
# Included with TALVEX_INI_SOURCE and TALVEX_INI_TARGET set, or run as a script:
#   cmake -DTALVEX_INI_SOURCE=... -DTALVEX_INI_TARGET=... -P ShippedIni.cmake

# The configuration text without its "[IPC]" section (any letter case, blanks in the brackets).
function(talvex_ini_without_ipc text result)
    string(REGEX REPLACE "\\[[ \t]*[Ii][Pp][Cc][ \t]*\\][^[]*" "" text "${text}")
    set(${result} "${text}" PARENT_SCOPE)
endfunction()

function(talvex_put_shipped_ini source target)
    # A link (to data/Talvex.ini or anywhere else) would carry a run's writes out of the build.
    if(IS_SYMLINK ${target})
        file(REMOVE ${target})
    endif()
    if(EXISTS ${target})
        return()
    endif()
    file(READ ${source} text)
    talvex_ini_without_ipc("${text}" text)
    # Written beside the target and renamed, so a running program never reads half a file.
    file(WRITE ${target}.new "${text}")
    file(RENAME ${target}.new ${target})
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
    talvex_put_shipped_ini(${TALVEX_INI_SOURCE} ${TALVEX_INI_TARGET})
endif()
