# The Linux program: the Qt 6 front end and `kalo-dc`.
find_package(Qt6 REQUIRED COMPONENTS Widgets DBus Test)
find_package(X11 REQUIRED)
find_path(TURBOJPEG_INCLUDE_DIR turbojpeg.h REQUIRED)
find_library(TURBOJPEG_LIBRARY turbojpeg REQUIRED)

file(GLOB KALO_QT_SOURCES CONFIGURE_DEPENDS src/qt/*.cpp)
# The program's own entry, not the tests'.
list(REMOVE_ITEM KALO_QT_SOURCES ${CMAKE_SOURCE_DIR}/src/qt/main.cpp)
if(KALO_QT_SOURCES)
  add_library(kalo_qt STATIC ${KALO_QT_SOURCES})
  target_link_libraries(kalo_qt PUBLIC kalo_app Qt6::Widgets Qt6::DBus X11::X11 X11::Xext
    ${TURBOJPEG_LIBRARY})
  target_include_directories(kalo_qt PUBLIC ${TURBOJPEG_INCLUDE_DIR})
endif()

if(TARGET kalo_qt AND EXISTS ${CMAKE_SOURCE_DIR}/src/qt/main.cpp)
  add_executable(kalo_dc src/qt/main.cpp)
  # build/<preset>/kalo-dc: its name is the application name of the settings store.
  set_target_properties(kalo_dc PROPERTIES OUTPUT_NAME kalo-dc
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_link_libraries(kalo_dc PRIVATE kalo_qt)
  include(cmake/linux-package.cmake)
endif()
