# The print-out names the program's version.
target_compile_definitions(${module_target} PRIVATE
    QUENDAL_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} QUENDAL_VERSION_MINOR=${PROJECT_VERSION_MINOR})
