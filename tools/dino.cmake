# The walking figure of the progress bar, drawn at build time and shipped as dino.ani.
add_executable(make_dino ${CMAKE_CURRENT_LIST_DIR}/make_dino.cpp)
target_link_libraries(make_dino PRIVATE Qt6::Gui)
target_include_directories(make_dino PRIVATE ${CMAKE_SOURCE_DIR}/src)

set(DINO_ANI ${QUENDAL_BIN_DIR}/dino.ani)
add_custom_command(
    OUTPUT ${DINO_ANI}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUENDAL_BIN_DIR}
    COMMAND make_dino ${DINO_ANI}
    DEPENDS make_dino
    COMMENT "Drawing the walking figure"
    VERBATIM)
add_custom_target(dino_ani DEPENDS ${DINO_ANI})
add_dependencies(quendal_shipped_files dino_ani)
