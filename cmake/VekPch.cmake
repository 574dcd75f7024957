# Precompiled headers: the standard library, Qt's modules and GoogleTest are
# parsed once per target instead of once per file, which is most of what a
# file here costs to compile. Off for cross builds and the fuzzing build
# (another compiler), and with -DVEK_PCH=OFF.
option(VEK_PCH "Precompile the headers every file of a target includes" ON)

set(VEK_PCH_STD <algorithm> <array> <cstdint> <functional> <map> <memory> <optional> <string>
  <string_view> <variant> <vector>)

# vek_pch(TARGET HEADER...): TARGET's files start from these headers.
function(vek_pch target)
  if(VEK_PCH AND NOT CMAKE_CROSSCOMPILING AND NOT VEK_FUZZ)
    target_precompile_headers(${target} PRIVATE ${VEK_PCH_STD} ${ARGN})
  endif()
endfunction()

# vek_pch_reuse(TARGET FROM): TARGET uses FROM's precompiled header (same
# compiler options; its own definitions appear in none of those headers).
function(vek_pch_reuse target from)
  if(VEK_PCH AND NOT CMAKE_CROSSCOMPILING AND NOT VEK_FUZZ)
    target_precompile_headers(${target} REUSE_FROM ${from})
  endif()
endfunction()
