add_library(lumavo_warnings INTERFACE)
target_compile_options(lumavo_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
