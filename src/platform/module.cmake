# The desktop portal's colour picker is reached over the session bus.
find_package(Qt6 REQUIRED COMPONENTS DBus)
target_link_libraries(${module_target} PUBLIC Qt6::DBus)
# Start-up reads the font catalogue ahead of the first window.
find_package(Fontconfig REQUIRED)
target_link_libraries(${module_target} PUBLIC Fontconfig::Fontconfig)
# An animation's steps are drawn on the X server itself (ServerFrames).
find_path(XCB_INCLUDE_DIR xcb/xcb.h REQUIRED)
find_library(XCB_LIBRARY xcb REQUIRED)
target_include_directories(${module_target} PRIVATE ${XCB_INCLUDE_DIR})
target_link_libraries(${module_target} PUBLIC ${XCB_LIBRARY})
