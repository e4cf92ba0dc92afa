# AddressSanitizer and UndefinedBehaviorSanitizer, per target rather than directory-wide, so only
# the project's own targets are instrumented. The runtimes come in at link time, so every program
# and test executable links this itself, not only through the static libraries it uses.
add_library(lumavo_sanitize INTERFACE)
if(LUMAVO_SANITIZE)
    set(LUMAVO_SANITIZE_FLAGS
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_compile_options(lumavo_sanitize INTERFACE ${LUMAVO_SANITIZE_FLAGS})
    target_link_options(lumavo_sanitize INTERFACE ${LUMAVO_SANITIZE_FLAGS})
endif()
