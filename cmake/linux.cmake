# The Linux program: the Qt 6 front end and `kalo-dc`.
find_package(Qt6 REQUIRED COMPONENTS Widgets DBus Test)
find_package(X11 REQUIRED)
find_path(TURBOJPEG_INCLUDE_DIR turbojpeg.h REQUIRED)
find_library(TURBOJPEG_LIBRARY turbojpeg REQUIRED)

# The snow on Wayland desktops speaks the layer-shell protocol: its C glue is generated
# from our own description of it. The client library is always linked; the program
# connects only where WAYLAND_DISPLAY names a compositor.
enable_language(C)
find_package(PkgConfig REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
# kalo_wayland_protocol(XML NAME VAR): generated/linux/wayland/NAME.h and NAME.c from the
# protocol's description; the C file's path goes into VAR.
function(kalo_wayland_protocol xml name var)
  set(out ${CMAKE_BINARY_DIR}/generated/linux/wayland)
  add_custom_command(OUTPUT ${out}/${name}.h ${out}/${name}.c
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${out}/${name}.h
    # An object argument of no named interface gets no C type from the scanner (glibc
    # prints it as "(null)"): any proxy will do there.
    COMMAND sed -i "s/struct (null) \\*/struct wl_proxy */" ${out}/${name}.h
    COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${out}/${name}.c
    DEPENDS ${xml} VERBATIM)
  set(${var} ${out}/${name}.c ${out}/${name}.h PARENT_SCOPE)
endfunction()
kalo_wayland_protocol(${CMAKE_SOURCE_DIR}/src/linux/wayland/protocol/layer-shell.xml
  layer_shell KALO_LAYER_SHELL)

# The Linux services: files, the instance lock and channel, the settings file, autostart,
# the desktop's wallpaper setters, JPEG decoding and the X11 requests. No widget here: Qt
# Gui for QImage and the X display Qt shows its windows on, Qt Core for the socket
# notifier, the locale and processes, Qt DBus for the Plasma shell.
# Its namespace is `linux`, a macro only in the GNU dialects, which CMakeLists.txt turns off.
file(GLOB KALO_LINUX_SOURCES CONFIGURE_DEPENDS src/linux/*.cpp src/linux/x11/*.cpp
  src/linux/wayland/*.cpp)
add_library(kalo_linux STATIC ${KALO_LINUX_SOURCES} ${KALO_LAYER_SHELL})
target_link_libraries(kalo_linux PUBLIC kalo_app Qt6::Gui Qt6::DBus X11::X11 X11::Xext
  ${TURBOJPEG_LIBRARY} PkgConfig::WAYLAND_CLIENT)
target_include_directories(kalo_linux PUBLIC ${TURBOJPEG_INCLUDE_DIR})

# The Qt front end: windows, tray, dialogs and QtPlatform.
file(GLOB KALO_QT_SOURCES CONFIGURE_DEPENDS src/qt/*.cpp)
# The program's own entry, not the tests'.
list(REMOVE_ITEM KALO_QT_SOURCES ${CMAKE_SOURCE_DIR}/src/qt/main.cpp)
if(KALO_QT_SOURCES)
  add_library(kalo_qt STATIC ${KALO_QT_SOURCES})
  target_link_libraries(kalo_qt PUBLIC kalo_linux Qt6::Widgets)
endif()

if(TARGET kalo_qt AND EXISTS ${CMAKE_SOURCE_DIR}/src/qt/main.cpp)
  add_executable(kalo_dc src/qt/main.cpp)
  # build/<preset>/kalo-dc: its name is the application name of the settings store.
  set_target_properties(kalo_dc PROPERTIES OUTPUT_NAME kalo-dc
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_link_libraries(kalo_dc PRIVATE kalo_qt)
  include(cmake/linux-package.cmake)
endif()
