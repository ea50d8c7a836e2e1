# `-DVELMORA_SANITIZE=ON`: everything built with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer. Any report stops the program with a non-zero status, so a test
# that provokes one fails. `make test-sanitize` builds the test executables this way in a
# folder of their own and runs them.
option(VELMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VELMORA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    # With the sanitizers' checks inlined, GCC's bounds analysis sees paths that the size
    # checks before them rule out; the ordinary build keeps the warning.
    add_compile_options(-Wno-array-bounds)
    add_link_options(-fsanitize=address,undefined)
endif()

# `-DVELMORA_TSAN=ON`: everything built with ThreadSanitizer, for the music device's output
# thread; `make test-tsan` builds and runs the music tests this way in a folder of their own.
option(VELMORA_TSAN "Build with ThreadSanitizer" OFF)
if(VELMORA_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()
