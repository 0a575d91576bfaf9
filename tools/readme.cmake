# The read-me document ships in the program folder, where the help menu opens it.
set(README_RTF ${QUENDAL_BIN_DIR}/Liesmich.rtf)
add_custom_command(
    OUTPUT ${README_RTF}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUENDAL_BIN_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/assets/docs/Liesmich.rtf ${README_RTF}
    DEPENDS ${CMAKE_SOURCE_DIR}/assets/docs/Liesmich.rtf
    COMMENT "Copying the read-me document"
    VERBATIM)
add_custom_target(readme DEPENDS ${README_RTF})
add_dependencies(quendal_shipped_files readme)
