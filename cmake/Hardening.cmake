# Hardening for the programs as users get them: position-independent
# executables always; in optimised builds also checked buffer functions,
# stack canaries, and a relocation table made read-only once the dynamic
# linker has resolved every symbol at start-up. Sanitizer, fuzzing and
# coverage builds go without the rest, which would hide what they look for.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

if(NOT MOLVANE_SANITIZE AND NOT MOLVANE_FUZZ AND NOT MOLVANE_COVERAGE)
  set(molvane_optimised_build "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  # Some compilers define _FORTIFY_SOURCE themselves; undefining it first
  # keeps a redefinition from becoming a warning.
  add_compile_options(
    "$<${molvane_optimised_build}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
  add_link_options("$<${molvane_optimised_build}:-Wl,-z,relro,-z,now>")
endif()
