# Install layout: the executable and its asset folders together under lib/velmora (the game
# reads its files beside the executable), bin/velmora a link to it, and the desktop entry,
# icons, AppStream metainfo and man page where a desktop and man look for them.
set(VELMORA_APP_ID org.velmora.Velmora)
set(VELMORA_RELEASE_DATE 2026-12-06)
set(VELMORA_ICON_SIZES 16 22 24 32 48 64 128 256)

install(TARGETS velmora RUNTIME DESTINATION lib/velmora)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/ DESTINATION lib/velmora)

# A relative link, so the tree can be moved as a whole (a staging folder, a package).
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ../lib/velmora/velmora ${CMAKE_BINARY_DIR}/packaging/velmora SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/packaging/velmora DESTINATION bin)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/${VELMORA_APP_ID}.desktop
    DESTINATION share/applications)

configure_file(${CMAKE_SOURCE_DIR}/packaging/${VELMORA_APP_ID}.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/packaging/${VELMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${VELMORA_APP_ID}.metainfo.xml
    DESTINATION share/metainfo)

configure_file(${CMAKE_SOURCE_DIR}/packaging/velmora.6.in
    ${CMAKE_BINARY_DIR}/packaging/velmora.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/velmora.6 DESTINATION share/man/man6)

# The generated icon at every size of the hicolor theme the desktop may ask for.
add_executable(velmora-icon-sizes ${CMAKE_SOURCE_DIR}/packaging/icon_sizes.cpp)
target_link_libraries(velmora-icon-sizes PRIVATE Qt6::Gui)
set(VELMORA_ICON_ROOT ${CMAKE_BINARY_DIR}/packaging/icons/hicolor)
set(VELMORA_ICON_FILES)
foreach(size IN LISTS VELMORA_ICON_SIZES)
    list(APPEND VELMORA_ICON_FILES ${VELMORA_ICON_ROOT}/${size}x${size}/apps/${VELMORA_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${VELMORA_ICON_FILES}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
        $<TARGET_FILE:velmora-icon-sizes> ${CMAKE_SOURCE_DIR}/assets/Pictures/Velmora.png
        ${VELMORA_ICON_ROOT} ${VELMORA_ICON_SIZES}
    DEPENDS velmora-icon-sizes ${CMAKE_SOURCE_DIR}/assets/Pictures/Velmora.png
    COMMENT "Scaling the icon to the icon theme's sizes")
add_custom_target(velmora_icons ALL DEPENDS ${VELMORA_ICON_FILES})
install(DIRECTORY ${VELMORA_ICON_ROOT} DESTINATION share/icons)
