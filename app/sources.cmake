# The screens and the composition root, in one library the executable and the tests link.
target_sources(velmora_game PRIVATE
    ${CMAKE_SOURCE_DIR}/app/command_line.cpp
    ${CMAKE_SOURCE_DIR}/app/velmora.cpp
    ${CMAKE_SOURCE_DIR}/app/velmora_pad.cpp
    ${CMAKE_SOURCE_DIR}/battle/battle_attack.cpp
    ${CMAKE_SOURCE_DIR}/battle/battle_cursors.cpp
    ${CMAKE_SOURCE_DIR}/battle/battle_flash.cpp
    ${CMAKE_SOURCE_DIR}/battle/battle_keys.cpp
    ${CMAKE_SOURCE_DIR}/battle/battle_pad.cpp
    ${CMAKE_SOURCE_DIR}/battle/battle_repaint.cpp
    ${CMAKE_SOURCE_DIR}/battle/battle_start.cpp
    ${CMAKE_SOURCE_DIR}/battle/frm_battle.cpp
    ${CMAKE_SOURCE_DIR}/battle/scene_painter.cpp
    ${CMAKE_SOURCE_DIR}/map/frm_map.cpp
    ${CMAKE_SOURCE_DIR}/map/leading_number.cpp
    ${CMAKE_SOURCE_DIR}/map/map_pad.cpp
    ${CMAKE_SOURCE_DIR}/map/message_window.cpp
    ${CMAKE_SOURCE_DIR}/map/walking.cpp
    ${CMAKE_SOURCE_DIR}/menu/frm_menu.cpp
    ${CMAKE_SOURCE_DIR}/menu/menu_pad.cpp
    ${CMAKE_SOURCE_DIR}/title/frm_intro.cpp
    ${CMAKE_SOURCE_DIR}/title/intro_animation.cpp
    ${CMAKE_SOURCE_DIR}/title/intro_pad.cpp
    ${CMAKE_SOURCE_DIR}/title/keyed_picture.cpp
    ${CMAKE_SOURCE_DIR}/title/music_watchdog.cpp
    ${CMAKE_SOURCE_DIR}/title/sound.cpp
    ${CMAKE_SOURCE_DIR}/title/stretched_landscape.cpp
)
target_link_libraries(velmora_game PUBLIC velmora_core)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/app/command_line.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS VELMORA_VERSION="${PROJECT_VERSION}")
# Each screen stands on the core and the platform alone; only the composition root sees them all.
foreach(screen map battle menu title)
    velmora_layer(velmora_game ${screen} USES core platform)
endforeach()
velmora_layer(velmora_game app USES map battle menu title core platform)
