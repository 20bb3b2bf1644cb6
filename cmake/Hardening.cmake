# SPDX-License-Identifier: MIT
# Hardening for the programs as users get them: position-independent
# executables always; in optimised builds also checked buffer functions,
# stack canaries, stack-clash probes where the compiler offers them, and a
# relocation table made read-only once the dynamic linker has resolved every
# symbol at start-up. Sanitizer, fuzzing and coverage builds go without the
# rest, which would hide what they look for. (-fcf-protection is left out:
# Debian 12's C start-up files lack its marks, so no program could carry them.)
# These are the ELF and glibc forms; the Windows build goes without them
# (mingw-w64 has no read-only relocations to ask for, and its compiler fails
# on stack-clash probes with SEH unwinding). WebAssembly has none of them:
# its code cannot be read or written as data, and the page is one fixed module.
if(WIN32 OR EMSCRIPTEN)
  return()
endif()
include(CheckPIESupported)
include(CheckCXXCompilerFlag)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

if(MOLVANE_HARDENING AND NOT MOLVANE_SANITIZE AND NOT MOLVANE_FUZZ AND NOT MOLVANE_COVERAGE)
  # Some compilers define _FORTIFY_SOURCE themselves; undefining it first
  # keeps a redefinition from becoming a warning.
  set(hardening_flags -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong)
  check_cxx_compiler_flag(-fstack-clash-protection has_stack_clash_protection)
  if(has_stack_clash_protection)
    list(APPEND hardening_flags -fstack-clash-protection)
  endif()
  set(optimised_build "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  add_compile_options("$<${optimised_build}:${hardening_flags}>")
  add_link_options("$<${optimised_build}:-Wl,-z,relro,-z,now>")
endif()
