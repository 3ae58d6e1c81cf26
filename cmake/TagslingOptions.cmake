# Build-wide options shared by every folder.
option(TAGSLING_BUILD_TESTS "Build the unit tests (native only)" ON)
option(TAGSLING_BUILD_BENCH "Build the benchmarks (native only)" OFF)
option(TAGSLING_BUILD_FUZZ "Build the fuzz targets (clang only)" OFF)
option(TAGSLING_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# The project's own build scripts turn this on; a packager's plain build with
# another compiler version must not fail on a new warning.
option(TAGSLING_WERROR "Treat compiler warnings as errors" OFF)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# -Werror stands where it always stood, so compiler caches keep their hits.
if(TAGSLING_WERROR)
  add_compile_options(-Wall -Wextra -Werror -Wno-unused-parameter)
else()
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
endif()

if(TAGSLING_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

if(WIN32)
  # Nothing to ship but our own files: the C and C++ runtimes are linked in.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Reproducible executables: no link time in the PE and export headers, no
  # checkout path in the code.
  add_link_options(-Wl,--no-insert-timestamp)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
  # What a Release build ships carries no symbol tables (they are half of
  # tagsling.exe); Debug and RelWithDebInfo builds keep them.
  add_link_options($<$<CONFIG:Release,MinSizeRel>:-s>)
  # Code and data nobody calls are dropped at link time: each function and
  # object in its own section, unreferenced sections collected.
  add_compile_options($<$<CONFIG:Release,MinSizeRel>:-ffunction-sections> $<$<CONFIG:Release,MinSizeRel>:-fdata-sections>)
  add_link_options($<$<CONFIG:Release,MinSizeRel>:-Wl,--gc-sections>)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
endif()

# tagsling_add_unit_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)
# One GoogleTest executable per area; the test script runs every binary
# whose name ends in _tests.
function(tagsling_add_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE TAGSLING_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
endfunction()
