# The program's wave sounds, synthesised at build time; src/sound/module.cmake names the files
# and embeds them as resources.
add_executable(make_sounds ${CMAKE_CURRENT_LIST_DIR}/make_sounds.cpp)
set_target_properties(make_sounds PROPERTIES AUTOMOC OFF) # plain C++, no Qt

get_property(sound_files GLOBAL PROPERTY QUENDAL_SOUND_FILES)
list(GET sound_files 0 first_sound)
get_filename_component(sound_dir ${first_sound} DIRECTORY)
add_custom_command(
    OUTPUT ${sound_files}
    COMMAND make_sounds ${sound_dir}
    DEPENDS make_sounds
    COMMENT "Synthesising the wave sounds"
    VERBATIM)
add_custom_target(quendal_sounds DEPENDS ${sound_files})
