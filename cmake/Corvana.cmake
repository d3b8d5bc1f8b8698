# Helpers that keep every folder's CMakeLists to a few lines.

# Folders in layer order: a folder may link only folders listed before it, and the configure
# step fails when one does. A tool's folder is listed once it exists.
set(CORVANA_FOLDERS
  core platform rtf controls raster codecs outline colormemo htmlview outlineview
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
  set_property(GLOBAL APPEND PROPERTY CORVANA_LIBRARIES ${target})
endfunction()

# corvana_add_tests(<folder> SOURCES ... DEPS ...)
# One GoogleTest program per folder; every test case is a ctest test labelled with the folder.
function(corvana_add_tests folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  set(target test_${folder})
  add_executable(${target} ${ARG_SOURCES})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${target} PRIVATE corvana_testsupport ${ARG_DEPS})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${folder} ENVIRONMENT "CORVANA_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()

# corvana_add_bench(<name> SOURCES ... DEPS ...): a Google Benchmark program bin/bench_<name>.
function(corvana_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(bench_${name} ${ARG_SOURCES})
  target_link_libraries(bench_${name} PRIVATE benchmark::benchmark ${ARG_DEPS})
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
