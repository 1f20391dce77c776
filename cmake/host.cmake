# Native build: the portable logic and its unit tests.
add_library(zuva_portable STATIC ${ZUVA_PORTABLE_SOURCES})
target_include_directories(zuva_portable PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res)
zuva_warnings(zuva_portable)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB ZUVA_HOST_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/host/*.cpp)
add_executable(zuva_host_tests ${ZUVA_HOST_TESTS})
target_link_libraries(zuva_host_tests PRIVATE zuva_portable GTest::gtest_main)
# The skin tests read the committed skin PNGs.
target_compile_definitions(zuva_host_tests PRIVATE ZUVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
zuva_warnings(zuva_host_tests)
# GoogleTest and the library headers, parsed once instead of once per file.
target_precompile_headers(zuva_host_tests PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch/HostTests.h)
gtest_discover_tests(zuva_host_tests)

find_package(Python3 COMPONENTS Interpreter REQUIRED)
# The source tree's floors: includes only point down.
add_test(NAME floors.check COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/floors/check_floors.py
  ${PROJECT_SOURCE_DIR}/src)
add_test(NAME floors.selftest
  COMMAND ${Python3_EXECUTABLE} -m unittest discover -s ${PROJECT_SOURCE_DIR}/tools/floors -p "test_*.py")
# The set-up script against a local mirror caught mid-sync, in a sandbox.
add_test(NAME setup.mirror_mid_sync COMMAND bash ${PROJECT_SOURCE_DIR}/tools/apt/test_setup.sh)
add_test(NAME portal.selftest
  COMMAND ${Python3_EXECUTABLE} -m unittest discover -s ${PROJECT_SOURCE_DIR}/tools/portal -p "test_*.py")

# Throughput of the file digest against md5sum (tools/bench/md5.sh).
add_executable(zuva_bench_md5 ${PROJECT_SOURCE_DIR}/tools/bench/Md5Bench.cpp)
target_link_libraries(zuva_bench_md5 PRIVATE zuva_portable)
zuva_warnings(zuva_bench_md5)
