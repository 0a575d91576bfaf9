# The wave sounds are generated at build time (tools/sounds.cmake) and compiled into this library
# as Qt resources under :/sounds/. The generator's target and the file list meet here.
set(sound_names CHIMES2 FASTHEY MSGTYPE MSGBACK)
set(sound_dir ${CMAKE_BINARY_DIR}/sounds)
list(TRANSFORM sound_names PREPEND ${sound_dir}/ OUTPUT_VARIABLE sound_files)
list(TRANSFORM sound_files APPEND .wav)
set_property(GLOBAL PROPERTY QUENDAL_SOUND_FILES ${sound_files})
set_source_files_properties(${sound_files} PROPERTIES GENERATED TRUE)

qt_add_resources(${module_target} sounds
    PREFIX /sounds
    BASE ${sound_dir}
    FILES ${sound_files}
    OUTPUT_TARGETS sound_resource_targets)
# The targets that compile the resources wait for the generator.
foreach(target IN LISTS sound_resource_targets ITEMS ${module_target})
    add_dependencies(${target} quendal_sounds)
endforeach()
