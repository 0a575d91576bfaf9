# The desktop portal's colour picker is reached over the session bus.
find_package(Qt6 REQUIRED COMPONENTS DBus)
target_link_libraries(${module_target} PUBLIC Qt6::DBus)
# Start-up reads the font catalogue ahead of the first window.
find_package(Fontconfig REQUIRED)
target_link_libraries(${module_target} PUBLIC Fontconfig::Fontconfig)
