# The layers of CONTRIBUTING.md's map, kept by the build: `velmora_layer(TARGET FOLDER USES ...)`
# makes TARGET's build check that the files of FOLDER (relative to the source tree) include the
# game's own headers only from FOLDER itself and the folders named after USES. A forbidden
# include fails the build with the file and the header it named.
function(velmora_layer target folder)
    cmake_parse_arguments(PARSE_ARGV 2 layer "" "" "USES")
    file(GLOB_RECURSE files CONFIGURE_DEPENDS
        "${CMAKE_SOURCE_DIR}/${folder}/*.h" "${CMAKE_SOURCE_DIR}/${folder}/*.cpp")
    string(REPLACE "/" "_" name "${folder}")
    set(stamp "${CMAKE_BINARY_DIR}/layers/${name}.checked")
    list(JOIN layer_USES "," uses)
    add_custom_command(OUTPUT "${stamp}"
        COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -DFOLDER=${folder}
            "-DALLOWED=${folder},${uses}" -DSTAMP=${stamp}
            -P ${CMAKE_SOURCE_DIR}/cmake/check_includes.cmake
        DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/check_includes.cmake
        COMMENT "Checking what ${folder}/ includes"
        VERBATIM)
    add_custom_target(layer_${name} DEPENDS "${stamp}")
    add_dependencies(${target} layer_${name})
endfunction()
