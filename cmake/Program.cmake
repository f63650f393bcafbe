# The program's sources, split into small libraries by role so that a test program can link
# exactly the pieces it exercises (the installation run, say, with a stand-in for its host).
#
#   qb_globals   src/shell/globals.cpp            hInst, hFontDial, the option flags
#   qb_catalog   src/catalog/*.cpp                candidate table, list file loader, file operations
#   qb_run       src/install/install_*.cpp        the installation run
#   qb_stat      src/install/stat_*.cpp           the progress dialog that hosts the run
#   qb_shell     src/shell/*.cpp but win_main.cpp  owner window and selection dialog
#   Quillbox     src/shell/win_main.cpp + res/    the executable
#
# The two executables carry a manifest and a version resource (res/quillbox_exe.rc and
# res/quillbox_check.rc); the version numbers come from project() as windres defines. They are
# linked without a time stamp, so that one commit always gives the same bytes (make dist).
#
# The host build has no windows: there qb_stat holds the pump alone (stat_pump.cpp), whose posted
# messages and clock winsim has, and qb_shell is not built. A host program that links qb_run gives
# it the rest of its host (the bar) itself. Libraries whose folder holds no source are left out.

function(qb_program_library name)
  set(sources ${ARGN})
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
  target_compile_options(${name} PRIVATE ${QB_PROGRAM_FLAGS})
  if(QB_WINDOWS)
    target_link_libraries(${name} PUBLIC user32 gdi32 kernel32 advapi32)
  else()
    target_link_libraries(${name} PUBLIC winsim)
  endif()
endfunction()

file(GLOB QB_GLOBALS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/shell/globals.cpp)
file(GLOB QB_CATALOG_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/catalog/*.cpp)
file(GLOB QB_RUN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/install/install_*.cpp)
if(QB_WINDOWS)
  file(GLOB QB_STAT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/install/stat_*.cpp)
  file(GLOB QB_SHELL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/shell/*.cpp)
  list(REMOVE_ITEM QB_SHELL_SOURCES ${CMAKE_SOURCE_DIR}/src/shell/win_main.cpp
       ${CMAKE_SOURCE_DIR}/src/shell/globals.cpp)
else()
  file(GLOB QB_STAT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/install/stat_pump.cpp)
  set(QB_SHELL_SOURCES)
endif()

qb_program_library(qb_globals ${QB_GLOBALS_SOURCES})
qb_program_library(qb_catalog ${QB_CATALOG_SOURCES})
qb_program_library(qb_run ${QB_RUN_SOURCES})
qb_program_library(qb_stat ${QB_STAT_SOURCES})
qb_program_library(qb_shell ${QB_SHELL_SOURCES})
foreach(lib qb_catalog qb_run qb_stat qb_shell)
  if(TARGET ${lib})
    target_link_libraries(${lib} PUBLIC qb_globals)
  endif()
endforeach()

# The progress dialog (qb_stat) runs the installation (qb_run), and the run calls back into its
# host for the pump and the bar: on Windows the two static libraries need each other, and CMake
# repeats them on the link line. On the host the run needs only the pump of qb_stat.
if(TARGET qb_stat AND TARGET qb_run)
  target_link_libraries(qb_run PUBLIC qb_stat)
  if(QB_WINDOWS)
    target_link_libraries(qb_stat PUBLIC qb_run)
  endif()
endif()

if(QB_WINDOWS)
  set(QB_EXE_RC ${CMAKE_SOURCE_DIR}/res/quillbox_exe.rc)
  set(QB_CHECK_RC ${CMAKE_SOURCE_DIR}/res/quillbox_check.rc)
  set_source_files_properties(${QB_EXE_RC} ${QB_CHECK_RC} PROPERTIES COMPILE_DEFINITIONS
    "QB_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};QB_VERSION_MINOR=${PROJECT_VERSION_MINOR};QB_VERSION_PATCH=${PROJECT_VERSION_PATCH}")
  # The manifests are read by windres, not included by the preprocessor: name them as inputs.
  set_source_files_properties(${QB_EXE_RC} PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/res/quillbox.manifest;${CMAKE_SOURCE_DIR}/res/version.rc")
  set_source_files_properties(${QB_CHECK_RC} PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/res/quillbox_check.manifest;${CMAKE_SOURCE_DIR}/res/version.rc")
endif()

if(QB_WINDOWS AND EXISTS ${CMAKE_SOURCE_DIR}/src/shell/win_main.cpp)
  add_executable(Quillbox WIN32 ${CMAKE_SOURCE_DIR}/src/shell/win_main.cpp ${QB_RC_FILE}
                                ${QB_EXE_RC} ${CMAKE_SOURCE_DIR}/res/quillbox.def)
  target_compile_options(Quillbox PRIVATE ${QB_PROGRAM_FLAGS})
  target_link_libraries(Quillbox PRIVATE qb_shell qb_stat qb_run qb_catalog qb_globals)
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
  target_compile_options(Quillbox PRIVATE -ffunction-sections -fdata-sections)
  set_target_properties(Quillbox PROPERTIES OUTPUT_NAME Quillbox RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

# QuillboxCheck: the console program that tells, line by line, what the loader makes of a list
# file. Its work (qb_check) is a library the host tests use too; the program itself is Windows'.
file(GLOB QB_CHECK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/check/list_check.cpp)
qb_program_library(qb_check ${QB_CHECK_SOURCES})
if(TARGET qb_check)
  target_link_libraries(qb_check PUBLIC qb_run qb_catalog qb_globals)
endif()
if(QB_WINDOWS AND TARGET qb_check)
  add_executable(QuillboxCheck ${CMAKE_SOURCE_DIR}/src/check/check_main.cpp ${QB_CHECK_RC})
  target_compile_options(QuillboxCheck PRIVATE ${QB_PROGRAM_FLAGS} -ffunction-sections -fdata-sections)
  target_link_libraries(QuillboxCheck PRIVATE qb_check)
  target_link_options(QuillboxCheck PRIVATE -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
  set_target_properties(QuillboxCheck PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()
