# Fuzz build (tools/fuzz/run.sh): every parser that takes outside input, under
# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer. Configure
# with clang and a build type of its own, so that assertions stay on:
#   cmake -S . -B build/fuzz -G Ninja -DZUVA_FUZZ=ON -DCMAKE_BUILD_TYPE=Fuzz
#         -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "the fuzz build needs clang (libFuzzer): -DCMAKE_CXX_COMPILER=clang++")
endif()
set(ZUVA_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined)

# The portable sources once, instrumented for the fuzzer; each target links
# what it needs from them.
add_library(zuva_portable_fuzz STATIC ${ZUVA_PORTABLE_SOURCES})
target_include_directories(zuva_portable_fuzz PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res)
target_compile_options(zuva_portable_fuzz PUBLIC -O1 -g ${ZUVA_SANITIZERS})
target_compile_options(zuva_portable_fuzz PRIVATE -fsanitize=fuzzer-no-link)
target_link_options(zuva_portable_fuzz PUBLIC ${ZUVA_SANITIZERS})

set(ZUVA_FUZZ_TARGETS app_command ini_values http_address update_key notice_record skin_image file_version
  signer_certificate)
foreach(name IN LISTS ZUVA_FUZZ_TARGETS)
  # app_command -> FuzzAppCommand.cpp
  string(REPLACE "_" ";" words ${name})
  set(source "Fuzz")
  foreach(word IN LISTS words)
    string(SUBSTRING ${word} 0 1 first)
    string(TOUPPER ${first} first)
    string(SUBSTRING ${word} 1 -1 rest)
    string(APPEND source ${first}${rest})
  endforeach()
  add_executable(fuzz_${name} ${PROJECT_SOURCE_DIR}/tools/fuzz/${source}.cpp)
  target_link_libraries(fuzz_${name} PRIVATE zuva_portable_fuzz)
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endforeach()
