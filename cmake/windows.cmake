# The Windows program: the Win32 platform library and `KALO DC.exe`.
enable_language(RC)

# The icon, the version and the manifest, linked into every program that uses the
# Win32 library (the tests see the same icon and common controls as the program).
file(GLOB KALO_WIN32_RESOURCES CONFIGURE_DEPENDS src/win32/resources/*.rc)
if(KALO_WIN32_RESOURCES)
  add_library(kalo_win32_resources OBJECT ${KALO_WIN32_RESOURCES})
  # The version comes from app/version.h; windres leaves no record of the headers it read.
  target_include_directories(kalo_win32_resources PRIVATE ${CMAKE_BINARY_DIR}/generated)
  set_source_files_properties(${KALO_WIN32_RESOURCES} PROPERTIES
    OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/generated/app/version.h)
endif()

file(GLOB KALO_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
list(REMOVE_ITEM KALO_WIN32_SOURCES ${CMAKE_SOURCE_DIR}/src/win32/main.cpp)
if(KALO_WIN32_SOURCES)
  add_library(kalo_win32 STATIC ${KALO_WIN32_SOURCES})
  target_link_libraries(kalo_win32 PUBLIC kalo_app
    user32 gdi32 shell32 advapi32 comctl32 comdlg32 ole32 oleaut32 windowscodecs uuid)
  target_compile_definitions(kalo_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
  if(TARGET kalo_win32_resources)
    target_sources(kalo_win32 INTERFACE $<TARGET_OBJECTS:kalo_win32_resources>)
  endif()
endif()

if(TARGET kalo_win32)
  add_executable(kalo_dc_exe WIN32 src/win32/main.cpp)
  # build/windows/KALO DC.exe: its name is the application name of the settings store.
  set_target_properties(kalo_dc_exe PROPERTIES OUTPUT_NAME "KALO DC"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_link_libraries(kalo_dc_exe PRIVATE kalo_win32)
endif()

# The zip people download (target windows_zip): "KALO DC/" holding the program, stripped of
# its symbols, with README.txt and LICENSE.txt, the texts with CR LF line ends.
if(TARGET kalo_dc_exe)
  set(KALO_ZIP ${CMAKE_BINARY_DIR}/KALO-DC-${PROJECT_VERSION}-windows.zip)
  set(KALO_ZIP_FOLDER ${CMAKE_BINARY_DIR}/zip/KALO\ DC)
  configure_file(data/README-windows.txt.in ${KALO_ZIP_FOLDER}/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(LICENSE ${KALO_ZIP_FOLDER}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  add_custom_command(OUTPUT ${KALO_ZIP}
    COMMAND ${CMAKE_STRIP} -o ${KALO_ZIP_FOLDER}/$<TARGET_FILE_NAME:kalo_dc_exe>
      $<TARGET_FILE:kalo_dc_exe>
    COMMAND ${CMAKE_COMMAND} -E rm -f ${KALO_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${KALO_ZIP} --format=zip "KALO DC"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/zip
    DEPENDS kalo_dc_exe ${KALO_ZIP_FOLDER}/README.txt ${KALO_ZIP_FOLDER}/LICENSE.txt
    VERBATIM)
  add_custom_target(windows_zip DEPENDS ${KALO_ZIP})
endif()
