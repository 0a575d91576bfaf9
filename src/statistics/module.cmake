# The statistics windows share the dialogs' look (fonts, labels, colours) and the maker's
# addresses; the print-out names the program's version.
target_link_libraries(${module_target} PUBLIC quendal_dialogs)
target_compile_definitions(${module_target} PRIVATE
    QUENDAL_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} QUENDAL_VERSION_MINOR=${PROJECT_VERSION_MINOR})
