add_library(lumavo_warnings INTERFACE)
target_compile_options(lumavo_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
# Off by default so a newer compiler's new warnings do not break someone's build; scripts/test.sh
# turns it on.
if(LUMAVO_WERROR)
    target_compile_options(lumavo_warnings INTERFACE -Werror)
endif()
