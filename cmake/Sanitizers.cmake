# VEL_SANITIZE=ON builds everything with AddressSanitizer + UndefinedBehaviorSanitizer;
# VEL_TSAN=ON with ThreadSanitizer (the sound player tests).
option(VEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VEL_TSAN "Build with ThreadSanitizer" OFF)
if(VEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # Long tests sample their inputs in this build: it runs ten times slower.
  add_compile_definitions(VEL_SANITIZED=1)
endif()
if(VEL_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
# The fuzz build instruments all of our code for coverage (clang only).
if(VEL_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
