# Toolchain of the sanitized test build (build.sh test, folder build-asan/): Debian's
# clang, AddressSanitizer with LeakSanitizer, and UndefinedBehaviorSanitizer that stops
# at the first finding. Every object also carries libFuzzer's coverage hooks, so the
# fuzzer in tests/fuzz/ is guided through the picker's own code.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)

set(SANITIZE "-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer")
set(CMAKE_CXX_FLAGS_INIT "${SANITIZE} -fsanitize=fuzzer-no-link")
set(CMAKE_C_FLAGS_INIT "${SANITIZE}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${SANITIZE}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${SANITIZE}")
# Optimised enough to run the end-to-end suite at a usable speed, with line tables for
# the reports.
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO_INIT "-O1 -g1")
