# Helpers that keep every folder's CMakeLists to a few lines.

# Folders in layer order: a folder may link only folders listed before it, and the configure
# step fails when one does. A tool's folder is listed once it exists.
# sound and htmlengine are modules opened at run time (see corvana_add_module).
set(CORVANA_FOLDERS
  core platform sound rtf controls raster codecs outline colormemo htmlview htmlengine outlineview
  vellant lexora prosel smudgel imagetools kelpwood twinfold zonella trellane arbolet
  app)

# Fails the configure step when `folder` links a corvana library of its own layer or a higher one.
function(corvana_check_layers folder)
  list(FIND CORVANA_FOLDERS ${folder} own)
  if(own LESS 0)
    message(FATAL_ERROR "src/${folder} is not listed in CORVANA_FOLDERS")
  endif()
  foreach(dep ${ARGN})
    if(dep MATCHES "^corvana_(.+)$")
      list(FIND CORVANA_FOLDERS ${CMAKE_MATCH_1} index)
      if(index LESS 0 OR NOT index LESS own)
        message(FATAL_ERROR "corvana_${folder} links ${dep}: a folder may link only folders listed before it in CORVANA_FOLDERS")
      endif()
    endif()
  endforeach()
endfunction()

# Precompiled Qt and standard headers. corvana_platform compiles them once and every library
# above it reuses them; core, outline and rtf keep to their own lower Qt modules without them.
# The test programs share one set of their own (with GoogleTest) from corvana_testsupport.
# GCC only: clang refuses a precompiled header used with a macro more than it was made with,
# and every library adds macros of its own Qt modules.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  option(CORVANA_PCH "Precompile the Qt headers" ON)
else()
  option(CORVANA_PCH "Precompile the Qt headers" OFF)
endif()
set(CORVANA_PCH_HEADERS
  <QAction> <QApplication> <QByteArray> <QComboBox> <QDir> <QFile> <QFileInfo> <QHash>
  <QHBoxLayout> <QImage> <QKeyEvent> <QLabel> <QLineEdit> <QList> <QMainWindow> <QMenu>
  <QPainter> <QPointer> <QStatusBar> <QString> <QStringList> <QTextDocument> <QToolBar> <QUrl>
  <QVBoxLayout> <QWidget>
  <algorithm> <array> <functional> <memory> <optional> <vector>)
set(CORVANA_NO_PCH_FOLDERS core outline rtf)

# A header is reused only where it was made with no macro the user lacks (GCC refuses it
# otherwise), that is by libraries that link corvana_platform, directly or through another.
function(corvana_use_pch target folder)
  if(NOT CORVANA_PCH OR folder IN_LIST CORVANA_NO_PCH_FOLDERS)
    return()
  endif()
  if(folder STREQUAL "platform")
    target_precompile_headers(${target} PRIVATE ${CORVANA_PCH_HEADERS})
    set_property(GLOBAL APPEND PROPERTY CORVANA_PCH_USERS ${target})
    return()
  endif()
  get_property(users GLOBAL PROPERTY CORVANA_PCH_USERS)
  foreach(dep ${ARGN})
    if(dep IN_LIST users)
      target_precompile_headers(${target} REUSE_FROM corvana_platform)
      set_property(GLOBAL APPEND PROPERTY CORVANA_PCH_USERS ${target})
      return()
    endif()
  endforeach()
endfunction()

# corvana_add_library(<folder> SOURCES ... [DEPS ...] [QT ...])
# Builds the folder's library corvana_<folder>; QT names extra Qt modules.
function(corvana_add_library folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;QT" ${ARGN})
  corvana_check_layers(${folder} ${ARG_DEPS})
  set(target corvana_${folder})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(module ${ARG_QT})
    find_package(Qt6 REQUIRED COMPONENTS ${module})
    target_link_libraries(${target} PUBLIC Qt6::${module})
  endforeach()
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  corvana_use_pch(${target} ${folder} ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY CORVANA_LIBRARIES ${target})
endfunction()

# corvana_add_module(<folder> SOURCES ... [QT ...])
# A module the programs open at run time the first time they need it (platform/Modules.h), so
# that starting the program does not map the heavy libraries it wraps: bin/libcorvana_<folder>.so.
# It links Qt only and talks to the suite through interfaces in headers: a copy of the suite's
# static libraries inside it would keep state of its own. Nothing may link it (CMake refuses);
# every program is built after it.
function(corvana_add_module folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;QT" ${ARGN})
  corvana_check_layers(${folder})
  set(target corvana_${folder})
  add_library(${target} MODULE ${ARG_SOURCES})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  foreach(module ${ARG_QT})
    find_package(Qt6 REQUIRED COMPONENTS ${module})
    target_link_libraries(${target} PRIVATE Qt6::${module})
  endforeach()
  if(NOT CORVANA_SANITIZE AND NOT CORVANA_FUZZ)
    # Fails the link when the module reaches for code of the suite's own libraries.
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
  set_property(GLOBAL APPEND PROPERTY CORVANA_MODULES ${target})
endfunction()

# corvana_link_program(<target>): links a program made of the whole suite. Qt's own libraries
# and the C and C++ runtimes are named first, so they stand first in the loader's search order:
# each of the some ten thousand symbols looked up at every start, by Qt's libraries as by ours,
# is then found before the loader has asked the image, SVG and print libraries for it.
function(corvana_link_program target)
  target_link_libraries(${target} PRIVATE corvana_app)
  # Named among the options, which stand before the libraries the suite's own need. Not under
  # the sanitizers, whose runtime must come first.
  if(NOT CORVANA_SANITIZE AND NOT CORVANA_FUZZ)
    target_link_options(${target} PRIVATE "LINKER:--push-state,--no-as-needed" $<TARGET_FILE:Qt6::Widgets>
                        $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Core>
                        "LINKER:-l:libstdc++.so.6,-l:libm.so.6,-l:libc.so.6" "LINKER:--pop-state")
  endif()
  corvana_needs_modules(${target})
endfunction()

# Makes `target` (a program) build the modules it may open.
function(corvana_needs_modules target)
  get_property(modules GLOBAL PROPERTY CORVANA_MODULES)
  if(modules)
    add_dependencies(${target} ${modules})
  endif()
endfunction()

# corvana_add_tests(<folder> SOURCES ... DEPS ...)
# One GoogleTest program per folder; every test case is a ctest test labelled with the folder.
function(corvana_add_tests folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  set(target test_${folder})
  add_executable(${target} ${ARG_SOURCES})
  # Test sources declare no Qt objects of their own: no moc pass, no empty moc file to compile.
  # They are compiled a few to a unit: each alone spent most of its time on the same test and
  # Qt templates.
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests AUTOMOC OFF
    UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  target_link_libraries(${target} PRIVATE corvana_testsupport ${ARG_DEPS})
  if(CORVANA_PCH)
    target_precompile_headers(${target} REUSE_FROM corvana_testsupport)
  endif()
  corvana_needs_modules(${target})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${folder} ENVIRONMENT "CORVANA_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()

# corvana_add_bench(<name> SOURCES ... DEPS ...): a Google Benchmark program bin/bench_<name>.
function(corvana_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(bench_${name} ${ARG_SOURCES})
  set_target_properties(bench_${name} PROPERTIES AUTOMOC OFF)
  target_link_libraries(bench_${name} PRIVATE benchmark::benchmark ${ARG_DEPS})
  corvana_needs_modules(bench_${name})
endfunction()

# corvana_add_fuzzer(<name> SOURCES ... DEPS ...): a libFuzzer target bin/fuzz_<name>
# (only with -DCORVANA_FUZZ=ON and clang; scripts/fuzz.sh builds and runs one).
function(corvana_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(fuzz_${name} ${ARG_SOURCES})
  target_link_libraries(fuzz_${name} PRIVATE ${ARG_DEPS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# A folder added below these makes the next build configure again.
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/bench ${PROJECT_SOURCE_DIR}/fuzz)
