# The desktop portal's colour picker is reached over the session bus.
find_package(Qt6 REQUIRED COMPONENTS DBus)
target_link_libraries(${module_target} PUBLIC Qt6::DBus)
# A design font's missing family is made a name of its twin in Qt's font list (a platform
# interface of Qt: its private headers).
target_link_libraries(${module_target} PRIVATE Qt6::GuiPrivate)
# Start-up reads the font catalogue ahead of the first window.
find_package(Fontconfig REQUIRED)
target_link_libraries(${module_target} PUBLIC Fontconfig::Fontconfig)
# An animation's steps are drawn on the X server itself (ServerFrames), and queued there to be
# shown when due (ServerCycle, through the Present extension).
find_path(XCB_INCLUDE_DIR xcb/xcb.h REQUIRED)
find_library(XCB_LIBRARY xcb REQUIRED)
# The Present library is loaded when first needed (dlopen); its header is needed to build.
find_path(XCB_PRESENT_INCLUDE_DIR xcb/present.h REQUIRED)
target_include_directories(${module_target} PRIVATE ${XCB_INCLUDE_DIR})
target_link_libraries(${module_target} PUBLIC ${XCB_LIBRARY} ${CMAKE_DL_LIBS})
