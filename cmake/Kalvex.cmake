# Build helpers shared by every folder.
#
# Each folder of src/ builds two static libraries:
#   kalvex_<name>_core  the plain C++ files at the folder's top (no Qt)
#   kalvex_<name>       the Qt files in its qt/ subfolder (adapters, widgets)
# Sources are globbed, so adding a file needs no CMake edit.

function(kalvex_add_subdirectories parent)
  file(GLOB children LIST_DIRECTORIES true "${CMAKE_CURRENT_SOURCE_DIR}/${parent}/*")
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY "${child}" AND EXISTS "${child}/CMakeLists.txt")
      add_subdirectory("${child}")
    endif()
  endforeach()
endfunction()

function(kalvex_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

# kalvex_folder(<name> [CORE_DEPS libs...] [QT_DEPS libs...])
function(kalvex_folder name)
  cmake_parse_arguments(A "" "" "CORE_DEPS;QT_DEPS" ${ARGN})
  file(GLOB core_src CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  if(core_src)
    add_library(kalvex_${name}_core STATIC ${core_src})
    target_include_directories(kalvex_${name}_core PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(kalvex_${name}_core PUBLIC ${A_CORE_DEPS})
    kalvex_warnings(kalvex_${name}_core)
  endif()
  if(NOT KALVEX_CORE_ONLY)
    file(GLOB qt_src CONFIGURE_DEPENDS
         "${CMAKE_CURRENT_SOURCE_DIR}/qt/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/qt/*.h"
         "${CMAKE_CURRENT_SOURCE_DIR}/qt/*.qrc")
    if(qt_src)
      add_library(kalvex_${name} STATIC ${qt_src})
      set_target_properties(kalvex_${name} PROPERTIES AUTOMOC ON AUTORCC ON)
      target_include_directories(kalvex_${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
      if(core_src)
        target_link_libraries(kalvex_${name} PUBLIC kalvex_${name}_core)
      endif()
      target_link_libraries(kalvex_${name} PUBLIC Qt6::Core ${A_QT_DEPS})
      kalvex_warnings(kalvex_${name})
    endif()
  endif()
endfunction()

# kalvex_test(<binary> [QT] [LIBS libs...] [ENV vars...] [TIMEOUT s])
# One test binary per folder of tests/, registered with ctest as one test.
function(kalvex_test binary)
  cmake_parse_arguments(A "QT" "TIMEOUT" "LIBS;ENV" ${ARGN})
  if(A_QT AND KALVEX_CORE_ONLY)
    return()
  endif()
  file(GLOB src CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h"
       "${CMAKE_CURRENT_SOURCE_DIR}/*.qrc")
  add_executable(${binary} ${src})
  target_link_libraries(${binary} PRIVATE ${A_LIBS} GTest::gmock GTest::gtest)
  if(A_QT)
    # A QApplication exists for the whole run (offscreen).
    set_target_properties(${binary} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_link_libraries(${binary} PRIVATE kalvex_qt_test_main Qt6::Test)
  else()
    target_link_libraries(${binary} PRIVATE GTest::gtest_main)
  endif()
  # The helpers every test folder shares (tests/support).
  target_include_directories(${binary} PRIVATE "${PROJECT_SOURCE_DIR}/tests/support")
  target_compile_definitions(${binary} PRIVATE
    KALVEX_SOURCE_DIR="${PROJECT_SOURCE_DIR}" KALVEX_BINARY_DIR="${PROJECT_BINARY_DIR}")
  kalvex_warnings(${binary})
  add_test(NAME ${binary} COMMAND ${binary})
  set(env QT_QPA_PLATFORM=offscreen ${A_ENV})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  set_tests_properties(${binary} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${A_TIMEOUT})
endfunction()
