# The Windows program: the Win32 platform library and `KALO DC.exe`.
file(GLOB KALO_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
if(KALO_WIN32_SOURCES)
  add_library(kalo_win32 STATIC ${KALO_WIN32_SOURCES})
  target_link_libraries(kalo_win32 PUBLIC kalo_core
    user32 gdi32 shell32 advapi32 comctl32 comdlg32 ole32 oleaut32 windowscodecs uuid)
  target_compile_definitions(kalo_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/src/main_win32.cpp AND TARGET kalo_win32)
  enable_language(RC)
  file(GLOB KALO_WIN32_RESOURCES CONFIGURE_DEPENDS src/platform/win32/resources/*.rc)
  add_executable(kalo_dc_exe WIN32 src/main_win32.cpp ${KALO_WIN32_RESOURCES})
  set_target_properties(kalo_dc_exe PROPERTIES OUTPUT_NAME "KALO DC")
  target_link_libraries(kalo_dc_exe PRIVATE kalo_win32)
endif()
