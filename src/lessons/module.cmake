# The selection hands over lesson texts in the form the typing engine walks (typableLessonText).
target_link_libraries(${module_target} PUBLIC quendal_typing)
