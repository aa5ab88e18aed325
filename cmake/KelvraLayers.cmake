# The program's layers: a library each, whose include root holds only its own
# folder of app/. A header is included by its folder ("run/RunControl.h"), so
# it resolves in the layer itself and in the layers that link it, and in no
# other: an include that runs up, or across to a layer not linked, does not
# build.

# kelvra_include_root(<target> <folder>): the root of <target> shows app/<folder>.
function(kelvra_include_root target folder)
    set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
    file(MAKE_DIRECTORY ${root})
    if(NOT IS_SYMLINK ${root}/${folder})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/app/${folder} ${root}/${folder} SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# kelvra_layer(<target> <folder> SOURCES <file>... LINKS <target>...): a static
# library of app/<folder>/<file>, with its include root, on the layers it uses.
function(kelvra_layer target folder)
    cmake_parse_arguments(PARSE_ARGV 2 layer "" "" "SOURCES;LINKS")
    list(TRANSFORM layer_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/app/${folder}/)
    add_library(${target} STATIC ${layer_SOURCES})
    kelvra_include_root(${target} ${folder})
    target_link_libraries(${target} PUBLIC ${layer_LINKS} kelvra_build_options)
endfunction()
