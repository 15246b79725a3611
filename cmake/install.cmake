# What `cmake --install` puts under the prefix: the program, its help pages,
# icon, desktop entry and AppStream metainfo, and the simulator in a folder of
# its own (never on the loader's default search path, where it could shadow a
# real VISA library) with a launcher that starts the program against it.

set(SFP_APP_ID com.quorvale_orbant.qot7720_sfp)
set(SFP_SIM_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/qot7720-sfp-sim
    CACHE STRING "Folder (relative to the prefix) of the installed simulator libraries")
set(SFP_HELP_INSTALL_DIR ${CMAKE_INSTALL_DOCDIR}/help)

install(TARGETS qot7720-sfp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS qot7720-sfp-chart LIBRARY DESTINATION ${SFP_CHART_INSTALL_DIR})
install(TARGETS visa qot7720_32 LIBRARY DESTINATION ${SFP_SIM_INSTALL_DIR})

# The launcher finds the simulator relative to itself, so the prefix can move.
file(RELATIVE_PATH SFP_SIM_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${SFP_SIM_INSTALL_DIR})
configure_file(${PROJECT_SOURCE_DIR}/scripts/qot7720-sfp-sim.in
               ${PROJECT_BINARY_DIR}/qot7720-sfp-sim @ONLY)
install(PROGRAMS ${PROJECT_BINARY_DIR}/qot7720-sfp-sim DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/ DESTINATION ${SFP_HELP_INSTALL_DIR}
        FILES_MATCHING PATTERN "*.html")
install(FILES ${PROJECT_SOURCE_DIR}/resources/bitmaps/app_icon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME ${SFP_APP_ID}.png)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${SFP_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${SFP_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
