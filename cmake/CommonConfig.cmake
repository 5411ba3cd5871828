# Build options shared by every target of the project.
add_library(jobcosting_options INTERFACE)
target_compile_features(jobcosting_options INTERFACE cxx_std_20)
target_compile_options(jobcosting_options INTERFACE -Wall -Wextra -pedantic
    $<$<BOOL:${JOBCOSTING_WERROR}>:-Werror>)
target_compile_definitions(jobcosting_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
    QT_NO_CONTEXTLESS_CONNECT)
option(JOBCOSTING_WERROR "Treat compiler warnings as errors" OFF)

# Debian's hardening for every program: position-independent executables,
# read-only relocations bound at start (RELRO, -z now), checked string and
# memory calls, and stack canaries. A sanitizer build turns it off, since
# fortified calls hide the faults the sanitizers look for.
option(JOBCOSTING_HARDENING "Build with Debian's hardening flags" ON)
if(JOBCOSTING_HARDENING)
    include(CheckPIESupported)
    check_pie_supported(LANGUAGES CXX)
    set_target_properties(jobcosting_options PROPERTIES INTERFACE_POSITION_INDEPENDENT_CODE ON)
    target_compile_options(jobcosting_options INTERFACE -fstack-protector-strong
        # glibc warns (an error with -Werror) when fortifying unoptimised code;
        # -U first, as some compilers define their own level.
        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
    target_link_options(jobcosting_options INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()

# The version, set once in project(VERSION), for every program's --version:
# #include "JobCostingVersion.h".
configure_file(${CMAKE_CURRENT_LIST_DIR}/JobCostingVersion.h.in
    ${CMAKE_BINARY_DIR}/generated/JobCostingVersion.h @ONLY)
target_include_directories(jobcosting_options INTERFACE ${CMAKE_BINARY_DIR}/generated)

# A build folder of its own for the data layer under AddressSanitizer and
# UndefinedBehaviorSanitizer; the first report ends the program with an error.
option(JOBCOSTING_SANITIZE "Build with -fsanitize=address,undefined" OFF)
if(JOBCOSTING_SANITIZE)
    target_compile_options(jobcosting_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(jobcosting_options INTERFACE -fsanitize=address,undefined)
endif()
