# The program's sources as one static library per layer, each linking only the layers below it:
#
#   qb_catalog   src/catalog/*.cpp                  candidate table, list file loader, file operations
#   qb_install   src/install/*.cpp                  the installation run and the progress dialog
#   qb_shell     src/shell/*.cpp but win_main.cpp   owner window, selection dialog, the shell's state
#   qb_check     src/check/list_check.cpp           QuillboxCheck's work
#   Quillbox     src/shell/win_main.cpp + res/      the executable
#   QuillboxCheck  src/check/check_main.cpp         the console program
#
# The two executables carry a manifest and a version resource (res/quillbox_exe.rc and
# res/quillbox_check.rc); the version numbers come from project() as windres defines. They are
# linked without a time stamp, so that one commit always gives the same bytes (make dist).

function(qb_program_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
  target_compile_options(${name} PRIVATE ${QB_PROGRAM_FLAGS})
  target_link_libraries(${name} PUBLIC user32 gdi32 kernel32 advapi32)
endfunction()

file(GLOB QB_CATALOG_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/catalog/*.cpp)
file(GLOB QB_INSTALL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/install/*.cpp)
file(GLOB QB_SHELL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/shell/*.cpp)
list(REMOVE_ITEM QB_SHELL_SOURCES ${CMAKE_SOURCE_DIR}/src/shell/win_main.cpp)

qb_program_library(qb_catalog ${QB_CATALOG_SOURCES})
qb_program_library(qb_install ${QB_INSTALL_SOURCES})
target_link_libraries(qb_install PUBLIC qb_catalog)
qb_program_library(qb_shell ${QB_SHELL_SOURCES})
target_link_libraries(qb_shell PUBLIC qb_install qb_catalog)
qb_program_library(qb_check ${CMAKE_SOURCE_DIR}/src/check/list_check.cpp)
target_link_libraries(qb_check PUBLIC qb_install qb_catalog)

set(QB_EXE_RC ${CMAKE_SOURCE_DIR}/res/quillbox_exe.rc)
set(QB_CHECK_RC ${CMAKE_SOURCE_DIR}/res/quillbox_check.rc)
set_source_files_properties(${QB_EXE_RC} ${QB_CHECK_RC} PROPERTIES COMPILE_DEFINITIONS
  "QB_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};QB_VERSION_MINOR=${PROJECT_VERSION_MINOR};QB_VERSION_PATCH=${PROJECT_VERSION_PATCH}")
# The manifests are read by windres, not included by the preprocessor: name them as inputs.
set_source_files_properties(${QB_EXE_RC} PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/res/quillbox.manifest;${CMAKE_SOURCE_DIR}/res/version.rc")
set_source_files_properties(${QB_CHECK_RC} PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/res/quillbox_check.manifest;${CMAKE_SOURCE_DIR}/res/version.rc")

add_executable(Quillbox WIN32 ${CMAKE_SOURCE_DIR}/src/shell/win_main.cpp ${QB_RC_FILE} ${QB_EXE_RC}
                              ${CMAKE_SOURCE_DIR}/res/quillbox.def)
target_compile_options(Quillbox PRIVATE ${QB_PROGRAM_FLAGS} -ffunction-sections -fdata-sections)
target_link_libraries(Quillbox PRIVATE qb_shell)
target_link_options(Quillbox PRIVATE -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
# CMake hands a .def among an executable's sources to nobody with MinGW: give it to the linker,
# which then writes the export table (FontWindProc @1, FontDialProc @2, FontStatProc @3).
target_link_options(Quillbox PRIVATE ${CMAKE_SOURCE_DIR}/res/quillbox.def)
set_property(TARGET Quillbox APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/res/quillbox.def)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The .def names the exports plainly; the i686 linker matches each to its stdcall symbol
  # (FontWindProc to FontWindProc@16) and exports the plain name. This says we mean it.
  target_link_options(Quillbox PRIVATE -Wl,--enable-stdcall-fixup)
endif()
set_target_properties(Quillbox PROPERTIES OUTPUT_NAME Quillbox RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# QuillboxCheck: the console program that tells, line by line, what the loader makes of a list
# file.
add_executable(QuillboxCheck ${CMAKE_SOURCE_DIR}/src/check/check_main.cpp ${QB_CHECK_RC})
target_compile_options(QuillboxCheck PRIVATE ${QB_PROGRAM_FLAGS} -ffunction-sections -fdata-sections)
target_link_libraries(QuillboxCheck PRIVATE qb_check)
target_link_options(QuillboxCheck PRIVATE -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
set_target_properties(QuillboxCheck PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
