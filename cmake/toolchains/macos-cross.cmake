# Builds the libraries for a Mac on another system, as a Mac builds them: LLVM's clang for an Apple
# target, the C++ standard library of the SDK (libc++), LLVM's Mach-O linker (ld64.lld) against the
# SDK's link stubs. One architecture per build folder; tools/build-macos builds both and joins them.
#
#   cmake -S . -B build/macos-arm64 -G Ninja -DKEYTIPS_PLATFORM=macos \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/macos-cross.cmake \
#         -DCMAKE_OSX_SYSROOT=<folder>/MacOSX14.2.sdk -DCMAKE_OSX_ARCHITECTURES=arm64
#
# The SDK is named by CMAKE_OSX_SYSROOT or, failing that, by the environment variable KEYTIPS_MACOS_SDK.
# CMAKE_OSX_ARCHITECTURES is arm64 or x86_64 (arm64 when not given). The deployment target is the
# project's KEYTIPS_MACOS_DEPLOYMENT_TARGET unless CMAKE_OSX_DEPLOYMENT_TARGET says otherwise.
set(CMAKE_SYSTEM_NAME Darwin)

if(NOT CMAKE_OSX_SYSROOT AND DEFINED ENV{KEYTIPS_MACOS_SDK})
  set(CMAKE_OSX_SYSROOT "$ENV{KEYTIPS_MACOS_SDK}")
endif()
if(NOT CMAKE_OSX_SYSROOT OR NOT EXISTS "${CMAKE_OSX_SYSROOT}/SDKSettings.json")
  message(FATAL_ERROR "The macOS cross build needs Apple's macOS SDK: name its folder (the one holding "
                      "SDKSettings.json) with -DCMAKE_OSX_SYSROOT=... or KEYTIPS_MACOS_SDK; "
                      "\"${CMAKE_OSX_SYSROOT}\" is not one")
endif()
# Passed on to CMake's own test compilations, which read this file again.
set(CMAKE_OSX_SYSROOT "${CMAKE_OSX_SYSROOT}" CACHE PATH "macOS SDK")

if(NOT CMAKE_OSX_ARCHITECTURES)
  set(CMAKE_OSX_ARCHITECTURES arm64)
endif()
if(NOT CMAKE_OSX_ARCHITECTURES MATCHES "^(arm64|x86_64)$")
  message(FATAL_ERROR "The macOS cross build makes one architecture, arm64 or x86_64, per build folder; "
                      "tools/build-macos joins them. CMAKE_OSX_ARCHITECTURES is \"${CMAKE_OSX_ARCHITECTURES}\"")
endif()
set(CMAKE_SYSTEM_PROCESSOR ${CMAKE_OSX_ARCHITECTURES})

# LLVM 14's tools, by their versioned names where the distribution installs them so.
find_program(KEYTIPS_CLANG NAMES clang++-14 clang++ REQUIRED)
find_program(KEYTIPS_LLVM_AR NAMES llvm-ar-14 llvm-ar REQUIRED)
find_program(KEYTIPS_LLVM_RANLIB NAMES llvm-ranlib-14 llvm-ranlib REQUIRED)
find_program(KEYTIPS_INSTALL_NAME_TOOL NAMES llvm-install-name-tool-14 llvm-install-name-tool REQUIRED)
find_program(KEYTIPS_LD64 NAMES ld64.lld-14 ld64.lld REQUIRED)
set(CMAKE_CXX_COMPILER ${KEYTIPS_CLANG})
set(CMAKE_OBJCXX_COMPILER ${KEYTIPS_CLANG})
set(CMAKE_AR ${KEYTIPS_LLVM_AR} CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${KEYTIPS_LLVM_RANLIB} CACHE FILEPATH "Archive indexer")
set(CMAKE_INSTALL_NAME_TOOL ${KEYTIPS_INSTALL_NAME_TOOL} CACHE FILEPATH "Install name tool")

# The target triple carries the architecture; CMake adds -arch, -isysroot and the minimum macOS.
set(CMAKE_CXX_COMPILER_TARGET ${CMAKE_OSX_ARCHITECTURES}-apple-macos)
set(CMAKE_OBJCXX_COMPILER_TARGET ${CMAKE_OSX_ARCHITECTURES}-apple-macos)
# A Mac's standard library, not this machine's: the SDK's libc++, its headers and its link stubs. clang
# searches its own include/c++/v1 before the sysroot's, so on a machine with libc++ headers installed it
# would read those, with Apple's availability markup off; -stdlib++-isystem makes the SDK's folder the
# only place C++ headers come from. And LLVM's Mach-O linker, which clang finds as ld64.lld beside itself
# (found above only to fail early when it is missing).
set(keytips_sdk_cxx_flags "-stdlib=libc++ -stdlib++-isystem \"${CMAKE_OSX_SYSROOT}/usr/include/c++/v1\"")
set(CMAKE_CXX_FLAGS_INIT "${keytips_sdk_cxx_flags}")
set(CMAKE_OBJCXX_FLAGS_INIT "${keytips_sdk_cxx_flags}")
foreach(kind IN ITEMS SHARED MODULE EXE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld")
endforeach()

# Headers and libraries come from the SDK only; programs from this machine.
set(CMAKE_FIND_ROOT_PATH ${CMAKE_OSX_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
