# Helpers shared by every subsystem folder.
#
# The sanitizer build covers the logic and its tests only: the browser engine inside Qt
# WebEngine is not clean under AddressSanitizer, so window tests run in a plain build.
#
# Logic libraries hold no Qt: their narrow string literals are compiled as GBK bytes, since all
# text inside the system is GBK. Window code is compiled normally and shows UTF-16 text.

set(QINGHE_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror)

if(QINGHE_SANITIZE)
  # GCC 12 reports maybe-uninitialized inside <regex> and <functional> when instrumenting;
  # the plain build keeps the warning.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined -Wno-maybe-uninitialized)
  add_link_options(-fsanitize=address,undefined)
endif()

function(qinghe_gbk_sources target)
  target_compile_options(${target} PRIVATE -fexec-charset=GBK)
endfunction()

# qinghe_logic_library(NAME SOURCES ... [DEPS ...]): a Qt-free static library of a subsystem.
function(qinghe_logic_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${QINGHE_WARNINGS})
  qinghe_gbk_sources(${name})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# qinghe_window_library(NAME SOURCES ... [DEPS ...]): windows of a subsystem, built on Qt.
function(qinghe_window_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${QINGHE_WARNINGS})
  target_link_libraries(${name} PUBLIC Qt6::Widgets ${ARG_DEPS})
endfunction()

# qinghe_test(NAME SOURCES ... [LIBS ...] [GBK] [GUI] [TIMEOUT s]): one GoogleTest program,
# registered with CTest. GBK tests compare against logic output, so their literals are GBK
# too. GUI tests share one main() that sets up Qt as the program does, run under the offscreen
# platform and carry the "gui" label.
function(qinghe_test name)
  cmake_parse_arguments(ARG "GBK;GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(ARG_GUI AND NOT QINGHE_GUI)
    return()
  endif()
  if(NOT ARG_GUI AND NOT QINGHE_LOGIC_TESTS)
    return()
  endif()
  if(ARG_GUI)
    list(APPEND ARG_SOURCES ${PROJECT_SOURCE_DIR}/tests/support/gui_test_main.cpp)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${QINGHE_WARNINGS})
  target_compile_definitions(${name} PRIVATE
    QINGHE_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  if(NOT ARG_GUI)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  if(ARG_GBK)
    qinghe_gbk_sources(${name})
  endif()
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  if(ARG_GUI)
    set_tests_properties(${name} PROPERTIES LABELS gui ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data-home")
  endif()
endfunction()
