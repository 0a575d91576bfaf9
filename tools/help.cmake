# The help file quendal.chm, compiled with chmcmd from the pages in assets/help.
#
# chmcmd writes the .chm beside the project file and names its complaints on stdout while still
# exiting with 0 (a link to a missing page is only a "Warning"), so the compile runs in a copy of
# the sources in the build tree, through this same file in script mode, which fails on any
# "Error" or "Warning" line and on a missing result.
if(CMAKE_SCRIPT_MODE_FILE)
    execute_process(
        COMMAND ${CHMCMD} ${PROJECT_FILE}
        WORKING_DIRECTORY ${WORK_DIR}
        RESULT_VARIABLE result
        OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    string(REGEX MATCHALL "[^\n]*(Error|Warning)[^\n]*" errors "${output}")
    if(NOT result EQUAL 0 OR errors)
        message(FATAL_ERROR "chmcmd failed (${result}):\n${output}")
    endif()
    if(NOT EXISTS ${WORK_DIR}/quendal.chm)
        message(FATAL_ERROR "chmcmd wrote no quendal.chm:\n${output}")
    endif()
    file(COPY_FILE ${WORK_DIR}/quendal.chm ${OUTPUT})
    return()
endif()

find_program(CHMCMD chmcmd REQUIRED)

# The drawings become PNG pictures when the help is built.
add_executable(make_help_images ${CMAKE_CURRENT_LIST_DIR}/make_help_images.cpp)
target_link_libraries(make_help_images PRIVATE Qt6::Gui Qt6::Svg)

set(HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/assets/help)
set(HELP_WORK_DIR ${CMAKE_CURRENT_BINARY_DIR}/help)
file(GLOB_RECURSE HELP_SOURCES CONFIGURE_DEPENDS ${HELP_SOURCE_DIR}/*)
file(GLOB HELP_DRAWINGS CONFIGURE_DEPENDS ${HELP_SOURCE_DIR}/bilder/*.svg)
set(HELP_FILE ${QUENDAL_BIN_DIR}/quendal.chm)
add_custom_command(
    OUTPUT ${HELP_FILE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${HELP_WORK_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${HELP_SOURCE_DIR} ${HELP_WORK_DIR}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:make_help_images> ${HELP_WORK_DIR}/bilder ${HELP_DRAWINGS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUENDAL_BIN_DIR}
    COMMAND ${CMAKE_COMMAND} -DCHMCMD=${CHMCMD} -DWORK_DIR=${HELP_WORK_DIR}
            -DPROJECT_FILE=quendal.hhp -DOUTPUT=${HELP_FILE} -P ${CMAKE_CURRENT_LIST_FILE}
    DEPENDS ${HELP_SOURCES} make_help_images ${CMAKE_CURRENT_LIST_FILE}
    COMMENT "Compiling the help file quendal.chm"
    VERBATIM)
add_custom_target(help_file DEPENDS ${HELP_FILE})
add_dependencies(quendal_shipped_files help_file)
