# Same numbers from every build: no contraction into FMA, SSE2 arithmetic on 32-bit x86.
add_compile_options(-ffp-contract=off -fno-fast-math -Wall -Wextra)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(ORV_SANITIZER STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(ORV_SANITIZER STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT ORV_SANITIZER STREQUAL "")
  message(FATAL_ERROR "ORV_SANITIZER must be address, thread or empty")
endif()

# Our static libraries end up inside a shared object.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
