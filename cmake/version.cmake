# The version reaches the code through one generated header.
configure_file(${PROJECT_SOURCE_DIR}/cmake/version.h.in
               ${PROJECT_BINARY_DIR}/generated/version/version.h @ONLY)
add_library(version_info INTERFACE)
target_include_directories(version_info INTERFACE
                           ${PROJECT_BINARY_DIR}/generated)
