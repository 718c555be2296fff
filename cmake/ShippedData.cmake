# The working folder of the build tree is its bin folder: the configuration file, the default
# template, the help tape and the sample tapes are put there, so `make run` finds everything.
# A user's own changes (settings, edited templates, tapes) are never overwritten; the help tape
# is always brought up to date.
set(TALVEX_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
set(TALVEX_KEEP_USER_FILES !Default.kwt Household.kwd Invoice.kwd Loan.kwd Accounts.kwb Welcome.1
    Checks.1 Debits.1 Deposits.1 Goodbye.1)
set(TALVEX_REFRESHED_FILES Readme45.kwd Talvex.html Talvex.bmp)

file(MAKE_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
# The configuration is put there at configure time and again by every build, so a deleted one
# comes back without configuring anew.
include(${CMAKE_CURRENT_LIST_DIR}/ShippedIni.cmake)
talvex_put_shipped_ini(${TALVEX_DATA_DIR}/Talvex.ini ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Talvex.ini)
add_custom_target(talvex_shipped_ini ALL
    COMMAND ${CMAKE_COMMAND} -DTALVEX_INI_SOURCE=${TALVEX_DATA_DIR}/Talvex.ini
            -DTALVEX_INI_TARGET=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Talvex.ini
            -P ${CMAKE_CURRENT_LIST_DIR}/ShippedIni.cmake
    COMMENT "Shipped configuration in ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
    VERBATIM)
foreach(name IN LISTS TALVEX_KEEP_USER_FILES)
    if(NOT EXISTS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
        configure_file(${TALVEX_DATA_DIR}/${name} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name} COPYONLY)
    endif()
endforeach()
foreach(name IN LISTS TALVEX_REFRESHED_FILES)
    configure_file(${TALVEX_DATA_DIR}/${name} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name} COPYONLY)
endforeach()

# The installed tree: the working folder's files and their configuration in share/talvex, read
# only; the program copies them into a new user's own folder on its first start there.
file(READ ${TALVEX_DATA_DIR}/Talvex.ini TALVEX_INI)
talvex_ini_without_ipc("${TALVEX_INI}" TALVEX_INI)
file(WRITE ${CMAKE_BINARY_DIR}/install/Talvex.ini "${TALVEX_INI}")
install(FILES ${CMAKE_BINARY_DIR}/install/Talvex.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/talvex)
foreach(name IN LISTS TALVEX_KEEP_USER_FILES TALVEX_REFRESHED_FILES)
    install(FILES ${TALVEX_DATA_DIR}/${name} DESTINATION ${CMAKE_INSTALL_DATADIR}/talvex)
endforeach()
