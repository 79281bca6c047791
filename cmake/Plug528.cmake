# Shared build helpers: warnings, sanitizers, core libraries and test executables.

set(PLUG528_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wconversion -Wsign-conversion)
if(PLUG528_WERROR)
  list(APPEND PLUG528_WARNINGS -Werror)
endif()
# GCC 12, when it optimises fully, inlines a text literal + std::string into a copy whose
# length it cannot bound and reports an overlap of source and target (-Wrestrict) that cannot
# happen, in any file that joins texts so; GCC 13 no longer does. With that compiler the
# warning is off in the Release build only: the unoptimised and sanitizer builds keep it.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND PLUG528_WARNINGS $<$<CONFIG:Release>:-Wno-restrict>)
endif()

if(PLUG528_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# plug528_warnings(target): our warning set on one of our own targets.
function(plug528_warnings target)
  target_compile_options(${target} PRIVATE ${PLUG528_WARNINGS})
endfunction()


# plug528_core_library(name SOURCES ... [PUBLIC_LIBS ...] [LIBS ...]): a static core library
# (never links Qt). PUBLIC_LIBS are the libraries its headers include; LIBS those only its
# sources use.
function(plug528_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_LIBS})
  plug528_warnings(${name})
endfunction()

# plug528_add_folders(folder...): adds each folder of the build; a folder without its
# CMakeLists.txt is an error, not a silent skip.
function(plug528_add_folders)
  foreach(folder IN LISTS ARGN)
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/CMakeLists.txt)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${folder}: no CMakeLists.txt")
    endif()
    add_subdirectory(${folder})
  endforeach()
endfunction()

# plug528_test(name SOURCES ... LIBS ... [QT]): one GoogleTest executable discovered by CTest.
# QT tests run with the offscreen platform, under the shared Qt test main (tests/support).
function(plug528_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE p528_qt_test_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  plug528_warnings(${name})
  target_compile_definitions(${name} PRIVATE
    PLUG528_SOURCE_DIR="${PROJECT_SOURCE_DIR}" PLUG528_BINARY_DIR="${PROJECT_BINARY_DIR}")
  include(GoogleTest)
  set(env "LANG=C.UTF-8")
  if(ARG_QT)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
