# Compiler settings shared by every target of the project.
add_library(zorvath_settings INTERFACE)
target_compile_options(zorvath_settings INTERFACE -Wall -Wextra -Wpedantic -Werror)
target_compile_definitions(zorvath_settings INTERFACE QT_NO_CAST_FROM_ASCII
    ZORVATH_VERSION_STRING="${PROJECT_VERSION}")
target_include_directories(zorvath_settings INTERFACE ${PROJECT_SOURCE_DIR})

if(ZORVATH_SANITIZE)
    set(ZORVATH_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
    target_compile_options(zorvath_settings INTERFACE ${ZORVATH_SANITIZER_FLAGS})
    target_link_options(zorvath_settings INTERFACE ${ZORVATH_SANITIZER_FLAGS})
endif()

# Every executable lands in one folder, beside the data it needs at run time (skin/, DefaultData/).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
