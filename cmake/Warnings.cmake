# One place for the warning flags every target of ours builds with.
function(vel_warnings target)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wnon-virtual-dtor
      -Woverloaded-virtual -Wsuggest-override -Wcast-qual -Wformat=2 -Wimplicit-fallthrough>
    $<$<COMPILE_LANGUAGE:C>:-Wall -Wextra>)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wshadow=local>)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wno-gnu-zero-variadic-macro-arguments>)
  endif()
endfunction()
