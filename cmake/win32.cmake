# Cross build: Zuva.exe, ZuvaScripted.exe and the Windows-side tests run under Wine.

set(ZUVA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(ZUVA_WINE_TOOLS ${PROJECT_SOURCE_DIR}/tools/wine)
configure_file(${ZUVA_WINE_TOOLS}/winerun.sh.in ${CMAKE_BINARY_DIR}/winerun.sh
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
  @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/winerun.sh)

set(ZUVA_WIN32_DEFINITIONS
  UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX STRICT)
# The launcher links only known DLLs and the common controls: anything else
# would be looked for beside the executable first, in a folder a standard
# user may write to. WinINet and WinMM it finds in System32 at run time
# (src/framework/*Functions.h); the tests and tools may link them.
set(ZUVA_WIN32_LIBRARIES
  comctl32 gdiplus gdi32 user32 ole32 oleaut32 uuid shell32 shlwapi advapi32 version crypt32 ntdll)
set(ZUVA_TOOL_LIBRARIES wininet winmm)

# Everything but the entry point and the per-executable settings.
add_library(zuva_win STATIC ${ZUVA_PORTABLE_SOURCES} ${ZUVA_WIN32_SOURCES})
target_include_directories(zuva_win PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res)
target_compile_definitions(zuva_win PUBLIC ${ZUVA_WIN32_DEFINITIONS})
target_compile_options(zuva_win PUBLIC -municode)
target_link_libraries(zuva_win PUBLIC ${ZUVA_WIN32_LIBRARIES})
zuva_warnings(zuva_win)

# The test publishers' certificates, made once per build folder; the
# scripted build names the first by its key, so that the self-update tests
# publish builds signed with it (tools/signing).
set(ZUVA_SIGNED_DIR ${CMAKE_BINARY_DIR}/signed)
execute_process(COMMAND ${PROJECT_SOURCE_DIR}/tools/signing/test-publishers.sh ${ZUVA_SIGNED_DIR}
  OUTPUT_VARIABLE ZUVA_TEST_PUBLISHER_KEY OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE _publishers)
string(LENGTH "${ZUVA_TEST_PUBLISHER_KEY}" _key_length)
if(NOT _publishers EQUAL 0 OR NOT _key_length EQUAL 64)
  message(FATAL_ERROR "tools/signing/test-publishers.sh did not make the test publishers (openssl missing?)")
endif()

# The per-executable settings: hosts, who may publish its updates and which
# flavour this is.
function(zuva_build_config out flavour engine service member home domains publisher)
  set(ZUVA_CFG_FLAVOUR ${flavour})
  set(ZUVA_CFG_ENGINE ${engine})
  set(ZUVA_CFG_SERVICE_HOST ${service})
  set(ZUVA_CFG_MEMBER_HOST ${member})
  set(ZUVA_CFG_PORTAL_HOME ${home})
  set(ZUVA_CFG_PORTAL_DOMAINS ${domains})
  set(ZUVA_CFG_UPDATE_PUBLISHER ${publisher})
  set(file ${CMAKE_BINARY_DIR}/config/BuildConfig${flavour}.cpp)
  configure_file(${PROJECT_SOURCE_DIR}/src/base/BuildConfig.cpp.in ${file} @ONLY)
  set(${out} ${file} PARENT_SCOPE)
endfunction()

string(REPLACE ";" "\\;" _domains "${ZUVA_PORTAL_DOMAINS}")
zuva_build_config(ZUVA_CONFIG_PRODUCT Product Ie
  "${ZUVA_SERVICE_HOST}" "${ZUVA_MEMBER_HOST}" "${ZUVA_PORTAL_HOME}" "${_domains}" "${ZUVA_UPDATE_PUBLISHER}")
zuva_build_config(ZUVA_CONFIG_SCRIPTED Scripted Scripted
  "${ZUVA_TEST_HOST}" "127.0.0.1:${ZUVA_TEST_PORT}" "http://${ZUVA_TEST_HOST}/" "127.0.0.1\;localhost\;korvel.test"
  "key:${ZUVA_TEST_PUBLISHER_KEY}")

set(ZUVA_RESOURCES ${PROJECT_SOURCE_DIR}/res/Zuva.rc)
file(GLOB ZUVA_SKIN_IMAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/skin/*.png
  ${PROJECT_SOURCE_DIR}/res/skin/x1.5/*.png ${PROJECT_SOURCE_DIR}/res/skin/x2/*.png)
# The skin as the launcher draws it, packed at build time into RCDATA
# resources (each image of each set: its pixels keyed on magenta, the login
# background premultiplied, in one DEFLATE stream), so that no process
# decodes a PNG to draw a window and three sets still fit the executable.
# The PNGs themselves go only into the Windows-side tests, to compare with.
set(ZUVA_PACKED_SKIN_DIR ${CMAKE_BINARY_DIR}/packed-skin)
set(ZUVA_PACKED_SKIN_RC ${ZUVA_PACKED_SKIN_DIR}/PackedSkin.rc)
set(ZUVA_SKIN_PNG_RC ${ZUVA_PACKED_SKIN_DIR}/SkinPngList.rc)
add_custom_command(OUTPUT ${ZUVA_PACKED_SKIN_RC} ${ZUVA_SKIN_PNG_RC}
  COMMAND python3 ${PROJECT_SOURCE_DIR}/res/skin/pack_skin.py ${ZUVA_PACKED_SKIN_DIR} ${ZUVA_PACKED_SKIN_RC}
    ${PROJECT_SOURCE_DIR}/res/skin ${ZUVA_SKIN_PNG_RC}
  DEPENDS ${PROJECT_SOURCE_DIR}/res/skin/pack_skin.py ${PROJECT_SOURCE_DIR}/res/skin/skin_sets.py ${ZUVA_SKIN_IMAGES}
  VERBATIM)
add_custom_target(zuva_packed_skin DEPENDS ${ZUVA_PACKED_SKIN_RC} ${ZUVA_SKIN_PNG_RC})
set_source_files_properties(${ZUVA_RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/res/Zuva.manifest;${PROJECT_SOURCE_DIR}/res/Zuva.ico;${PROJECT_SOURCE_DIR}/res/resource.h;${ZUVA_PACKED_SKIN_RC}")
# A target that compiles the resources finds the packed skin.
function(zuva_uses_resources target)
  target_include_directories(${target} PRIVATE ${ZUVA_PACKED_SKIN_DIR})
  add_dependencies(${target} zuva_packed_skin)
endfunction()

# Sections aligned in the file as in memory: Wine maps such an image
# straight from the file, where with the linker's 512-byte default it reads
# every section into memory of the process's own (the whole executable,
# resources included, in every launcher process). Windows maps either kind.
set(ZUVA_IMAGE_ALIGNMENT -Wl,--file-alignment,4096)
function(zuva_launcher name config)
  add_executable(${name} WIN32 ${PROJECT_SOURCE_DIR}/src/app/Main.cpp ${config} ${ZUVA_RESOURCES})
  target_link_libraries(${name} PRIVATE zuva_win)
  target_link_options(${name} PRIVATE -municode -mwindows $<$<CONFIG:Release>:-s> ${ZUVA_IMAGE_ALIGNMENT})
  zuva_warnings(${name})
  zuva_uses_resources(${name})
endfunction()
zuva_launcher(Zuva ${ZUVA_CONFIG_PRODUCT})
zuva_launcher(ZuvaScripted ${ZUVA_CONFIG_SCRIPTED})

# Windows-side tests: GoogleTest built for mingw, each test run under Wine.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# A console program of the test and benchmark tools.
function(zuva_console_tool name)
  cmake_parse_arguments(TOOL "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${TOOL_SOURCES})
  if(TOOL_LIBS)
    target_link_libraries(${name} PRIVATE ${TOOL_LIBS})
  endif()
  target_link_options(${name} PRIVATE -municode)
  zuva_warnings(${name})
  if(TOOL_DEPENDS)
    add_dependencies(${name} ${TOOL_DEPENDS})
  endif()
endfunction()

# The test portal runs for the whole Windows-side suite.
set(ZUVA_PORTAL_ROOT ${CMAKE_BINARY_DIR}/portal-root)
set(ZUVA_PORTAL_PID ${CMAKE_BINARY_DIR}/portal.pid)

# The tests' system headers and GoogleTest, parsed once per target instead
# of once per file (half of their build time). GCC 12 forgets that code from
# a precompiled header came from a system header, so two of its known false
# positives in the inline wmemcpy that std::wstring uses (a string made from
# L"" at -O2) are no longer hidden; the tests are built without those two.
# The launcher's own code is built without a precompiled header and with
# every warning.
function(zuva_test_pch target header)
  target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch/${header})
  target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overread)
endfunction()

# The driver plays the launcher as a player would (processes, windows, page
# clicks, the portal, screenshots) and gauges what a process holds; the
# tests, the soak, the road demo of tools/run.sh and the benchmarks share it.
set(ZUVA_DRIVER_SOURCES
  ${PROJECT_SOURCE_DIR}/tests/win/LauncherDriver.cpp
  ${PROJECT_SOURCE_DIR}/tests/win/LauncherMenus.cpp
  ${PROJECT_SOURCE_DIR}/tests/win/WinTestSupport.cpp
  ${PROJECT_SOURCE_DIR}/tests/win/Screenshot.cpp
  ${PROJECT_SOURCE_DIR}/tests/win/PortalClient.cpp
  ${PROJECT_SOURCE_DIR}/tests/win/GameLogin.cpp
  ${PROJECT_SOURCE_DIR}/tests/win/SoakGauges.cpp)
add_library(zuva_driver STATIC ${ZUVA_DRIVER_SOURCES})
target_link_libraries(zuva_driver PUBLIC zuva_win ntdll ${ZUVA_TOOL_LIBRARIES})
target_include_directories(zuva_driver PUBLIC ${PROJECT_SOURCE_DIR}/tests/win)
target_compile_definitions(zuva_driver PRIVATE
  ZUVA_BUILD_DIR="${CMAKE_BINARY_DIR}"
  ZUVA_TEST_PORT=${ZUVA_TEST_PORT}
  ZUVA_PORTAL_ROOT="${ZUVA_PORTAL_ROOT}")
zuva_warnings(zuva_driver)
zuva_test_pch(zuva_driver Windows.h)

file(GLOB ZUVA_WIN_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/*.cpp)
list(REMOVE_ITEM ZUVA_WIN_TESTS ${ZUVA_DRIVER_SOURCES})
# The soak has a time limit of its own (see below).
list(FILTER ZUVA_WIN_TESTS EXCLUDE REGEX "/tests/win/Soak[^/]*$")
set(ZUVA_TEST_RESOURCES ${PROJECT_SOURCE_DIR}/tests/win/SkinPngs.rc)
set_source_files_properties(${ZUVA_TEST_RESOURCES} PROPERTIES OBJECT_DEPENDS "${ZUVA_SKIN_PNG_RC};${ZUVA_SKIN_IMAGES}")
add_executable(zuva_win_tests ${ZUVA_WIN_TESTS} ${ZUVA_CONFIG_SCRIPTED} ${ZUVA_RESOURCES} ${ZUVA_TEST_RESOURCES})
target_link_libraries(zuva_win_tests PRIVATE zuva_driver GTest::gtest_main)
target_compile_definitions(zuva_win_tests PRIVATE
  ZUVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  ZUVA_TEST_PORT=${ZUVA_TEST_PORT})
zuva_warnings(zuva_win_tests)
zuva_test_pch(zuva_win_tests WindowsTests.h)
add_dependencies(zuva_win_tests ZuvaScripted)
zuva_uses_resources(zuva_win_tests)
# A program that crashes on purpose, for the crash-dump tests.
zuva_console_tool(zuva_crash_probe
  SOURCES ${PROJECT_SOURCE_DIR}/tests/win/probe/CrashProbe.cpp ${ZUVA_CONFIG_SCRIPTED} LIBS zuva_win)
add_dependencies(zuva_win_tests zuva_crash_probe)
# Stand-ins for a published build that cannot start (it crashes), one that
# crashes a second after its window shows, and one that ends at once with 0
# and no window (it installed itself elsewhere).
set(ZUVA_NEWBUILD_PROBES)
foreach(kind crash quiet latecrash)
  add_executable(zuva_newbuild_${kind} WIN32 ${PROJECT_SOURCE_DIR}/tests/win/probe/NewBuildProbe.cpp
    ${PROJECT_SOURCE_DIR}/tests/win/probe/NewBuildProbe.rc)
  list(APPEND ZUVA_NEWBUILD_PROBES $<TARGET_FILE:zuva_newbuild_${kind}>)
  target_compile_definitions(zuva_newbuild_${kind} PRIVATE ZUVA_NEWBUILD_$<UPPER_CASE:${kind}>)
  target_link_options(zuva_newbuild_${kind} PRIVATE -municode -mwindows)
  zuva_warnings(zuva_newbuild_${kind})
  add_dependencies(zuva_win_tests zuva_newbuild_${kind})
endforeach()
# Stand-ins for the system DLLs that are not known DLLs, named like them,
# which the tests plant beside an installed launcher (tests/win/probe).
foreach(dll winmm wininet msimg32 dbghelp wintrust)
  add_library(zuva_planted_${dll} MODULE ${PROJECT_SOURCE_DIR}/tests/win/probe/PlantedDll.cpp)
  set_target_properties(zuva_planted_${dll} PROPERTIES PREFIX "" OUTPUT_NAME ${dll}
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
  target_include_directories(zuva_planted_${dll} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_options(zuva_planted_${dll} PRIVATE -static)
  zuva_warnings(zuva_planted_${dll})
  add_dependencies(zuva_win_tests zuva_planted_${dll})
endforeach()
# The builds the self-update tests publish: newer and older copies of the
# scripted launcher and the stand-ins, signed by the test publishers.
set(ZUVA_SIGNED_BUILDS new-A.exe new-B.exe new-A-altered.exe new-unsigned.exe old-A.exe foreign-A.exe
  crash-A.exe quiet-A.exe latecrash-A.exe)
list(TRANSFORM ZUVA_SIGNED_BUILDS PREPEND ${ZUVA_SIGNED_DIR}/)
add_custom_command(OUTPUT ${ZUVA_SIGNED_BUILDS}
  COMMAND ${PROJECT_SOURCE_DIR}/tools/signing/sign-test-builds.sh ${ZUVA_SIGNED_DIR} $<TARGET_FILE:ZuvaScripted>
    ${ZUVA_NEWBUILD_PROBES}
  DEPENDS ZuvaScripted zuva_newbuild_crash zuva_newbuild_quiet zuva_newbuild_latecrash
    ${PROJECT_SOURCE_DIR}/tools/signing/sign-test-builds.sh ${PROJECT_SOURCE_DIR}/tools/signing/test-publishers.sh
    ${PROJECT_SOURCE_DIR}/tools/signing/patch_version.py
  VERBATIM)
add_custom_target(zuva_signed_builds DEPENDS ${ZUVA_SIGNED_BUILDS})
add_dependencies(zuva_win_tests zuva_signed_builds)
# The login road played for tools/run.sh without a display.
zuva_console_tool(zuva_road_demo
  SOURCES ${PROJECT_SOURCE_DIR}/tools/demo/RoadDemo.cpp LIBS zuva_driver DEPENDS ZuvaScripted)
add_test(NAME portal.start COMMAND ${PROJECT_SOURCE_DIR}/tools/portal/ctl.sh start ${ZUVA_TEST_PORT}
  ${ZUVA_PORTAL_ROOT} ${ZUVA_PORTAL_PID})
add_test(NAME portal.stop COMMAND ${PROJECT_SOURCE_DIR}/tools/portal/ctl.sh stop ${ZUVA_PORTAL_PID})
set_tests_properties(portal.start PROPERTIES FIXTURES_SETUP portal)
set_tests_properties(portal.stop PROPERTIES FIXTURES_CLEANUP portal)

# Each test takes one of tools/wintest.sh's workers when it runs them in
# parallel; a plain ctest ignores the resource.
gtest_discover_tests(zuva_win_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 120
  PROPERTIES TIMEOUT 120 FIXTURES_REQUIRED portal RESOURCE_GROUPS workers:1)

# Benchmarks: start-up time against the floor of an empty dialog program.
zuva_console_tool(zuva_bench_startup SOURCES ${PROJECT_SOURCE_DIR}/tools/bench/StartupBench.cpp)
add_executable(zuva_bench_floor WIN32 ${PROJECT_SOURCE_DIR}/tools/bench/FloorDialog.cpp
  ${PROJECT_SOURCE_DIR}/tools/bench/Floor.rc)
target_link_options(zuva_bench_floor PRIVATE -municode -mwindows ${ZUVA_IMAGE_ALIGNMENT})
zuva_warnings(zuva_bench_floor)
zuva_console_tool(zuva_bench_download
  SOURCES ${PROJECT_SOURCE_DIR}/tools/bench/DownloadBench.cpp ${ZUVA_CONFIG_SCRIPTED} LIBS zuva_win)
# Loading every skin image at a few DPIs: time and private memory.
zuva_console_tool(zuva_bench_skin
  SOURCES ${PROJECT_SOURCE_DIR}/tools/bench/SkinLoadBench.cpp LIBS zuva_win psapi)
# It carries the launcher's resources: a download must be newer than the
# version the running program states.
zuva_console_tool(zuva_bench_update_check
  SOURCES ${PROJECT_SOURCE_DIR}/tools/bench/UpdateCheckBench.cpp ${ZUVA_CONFIG_SCRIPTED} ${ZUVA_RESOURCES}
  LIBS zuva_win DEPENDS zuva_signed_builds)
zuva_uses_resources(zuva_bench_update_check)
# A process that mutes itself and reports what became of its audio data, for
# the sound tests that run it under a per-program Windows version.
zuva_console_tool(zuva_sound_probe
  SOURCES ${PROJECT_SOURCE_DIR}/tools/soundprobe/SoundProbe.cpp
          ${PROJECT_SOURCE_DIR}/tools/soundprobe/WaveMidiWrites.cpp
          ${PROJECT_SOURCE_DIR}/tools/soundprobe/DirectSoundWrite.cpp
  LIBS zuva_win ${ZUVA_TOOL_LIBRARIES})
add_dependencies(zuva_win_tests zuva_sound_probe)
# The soak: one instance through many pages, tab switches, hides and mutes,
# with bounds on what it may keep. It takes minutes, so it is an executable
# with a time limit of its own; its gauges serve the benchmarks too.
file(GLOB ZUVA_SOAK_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/Soak*.cpp)
list(REMOVE_ITEM ZUVA_SOAK_TESTS ${ZUVA_DRIVER_SOURCES})
add_executable(zuva_soak_tests ${ZUVA_SOAK_TESTS})
target_link_libraries(zuva_soak_tests PRIVATE zuva_driver GTest::gtest_main)
zuva_warnings(zuva_soak_tests)
zuva_test_pch(zuva_soak_tests WindowsTests.h)
add_dependencies(zuva_soak_tests ZuvaScripted)
# It measures what one process keeps over minutes: alone on the machine.
gtest_discover_tests(zuva_soak_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 120
  PROPERTIES TIMEOUT 480 FIXTURES_REQUIRED portal RESOURCE_GROUPS workers:1 RUN_SERIAL TRUE)
# The instance benchmark (tools/bench/run.sh): the login road, memory and
# idle CPU of a launcher with three pages, against the floor program.
zuva_console_tool(zuva_bench_instance
  SOURCES ${PROJECT_SOURCE_DIR}/tools/bench/InstanceBench.cpp LIBS zuva_driver
  DEPENDS ZuvaScripted zuva_bench_floor)
