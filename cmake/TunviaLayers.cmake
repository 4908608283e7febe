# Each layer of the program (core, engine, ui, app) is a library whose include
# root holds only its own folder, so "core/...", "engine/...", "ui/..." and
# "app/..." resolve only in the layers that link them and a wrong include does
# not compile. A check before each layer's build also refuses Qt modules and
# libmpv headers that the layer must not use (a Qt module header written with
# its module prefix would otherwise be found through Qt's common root).

set(TUNVIA_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

# tunvia_add_layer(TARGET LAYER [FORBID regex ...])
function(tunvia_add_layer target layer)
    cmake_parse_arguments(ARG "" "" "FORBID" ${ARGN})
    add_library(${target} STATIC)
    set(root ${TUNVIA_LAYER_ROOTS}/${layer})
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${root}/${layer})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${root})
    set_property(TARGET ${target} PROPERTY TUNVIA_FORBIDDEN_INCLUDES "${ARG_FORBID}")
endfunction()

# Adds the include check of a layer once all its sources are known; call it
# from the folder that lists them. Every source and header in the layer's
# folder must be listed, so that the check (and the build) sees all of them;
# ALSO names files of the folder that belong to another target.
# tunvia_check_layer(TARGET [ALSO file ...])
function(tunvia_check_layer target)
    cmake_parse_arguments(ARG "" "" "ALSO" ${ARGN})
    get_property(forbidden TARGET ${target} PROPERTY TUNVIA_FORBIDDEN_INCLUDES)
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.(h|cpp)$")
    list(TRANSFORM sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ REGEX "^[^/]")
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_BINARY_DIR}/")
    file(GLOB_RECURSE present CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(TRANSFORM ARG_ALSO PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    list(REMOVE_ITEM present ${sources} ${ARG_ALSO})
    if(present)
        list(JOIN present "\n  " unlisted)
        message(FATAL_ERROR "${target}: files in its folder that it does not list:\n  ${unlisted}")
    endif()
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_layer.stamp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} "-DLAYER=${target}" "-DFORBIDDEN=${forbidden}"
                "-DSOURCES=${sources}" -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
        COMMENT "Checking the includes of ${target}"
        VERBATIM)
    add_custom_target(${target}_layer_check DEPENDS ${stamp})
    add_dependencies(${target} ${target}_layer_check)
endfunction()
