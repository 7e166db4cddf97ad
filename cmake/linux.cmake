# The Linux program: the Qt 6 front end and `kalo-dc`.
find_package(Qt6 REQUIRED COMPONENTS Widgets DBus Test)
find_package(X11 REQUIRED)
find_path(TURBOJPEG_INCLUDE_DIR turbojpeg.h REQUIRED)
find_library(TURBOJPEG_LIBRARY turbojpeg REQUIRED)

# The Linux services: files, the instance lock and channel, the settings file, autostart,
# the desktop's wallpaper setters, JPEG decoding and the X11 requests. No widget here: Qt
# Gui for QImage and the X display Qt shows its windows on, Qt Core for the socket
# notifier, the locale and processes, Qt DBus for the Plasma shell.
# Its namespace is `linux`, a macro only in the GNU dialects, which CMakeLists.txt turns off.
file(GLOB KALO_LINUX_SOURCES CONFIGURE_DEPENDS src/linux/*.cpp src/linux/x11/*.cpp)
add_library(kalo_linux STATIC ${KALO_LINUX_SOURCES})
target_link_libraries(kalo_linux PUBLIC kalo_app Qt6::Gui Qt6::DBus X11::X11 X11::Xext
  ${TURBOJPEG_LIBRARY})
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
