# cmake -DINPUT=<file> -DOUTPUT=<file.cc> -DNAME=<variable> -DHEADER=<header>
#       -DNAMESPACE=<namespace> -DROOT=<source dir> -P embed_assets.cmake
# Writes OUTPUT, a source defining `const std::string_view NAME` (declared
# extern in HEADER) as the bytes of INPUT. Fails, naming INPUT and the line,
# when INPUT cannot be embedded as it is.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/embed.cmake)

file(RELATIVE_PATH shown "${ROOT}" "${INPUT}")
file(READ "${INPUT}" text)
compattatore_embed_literal("${text}" "${shown}" 1 literal)
file(WRITE "${OUTPUT}"
     "// Made by cmake/embed_assets.cmake from ${shown}: edit that file.\n"
     "#include \"${HEADER}\"\n\nnamespace ${NAMESPACE} {\n\n"
     "const std::string_view ${NAME} = ${literal};\n\n"
     "}  // namespace ${NAMESPACE}\n")
