# Writes a C++ source that holds one file's bytes as constant data of the program:
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -DNAMESPACE=<ns> -DHEADER=<header>
#         -P embed_file.cmake
# The source defines `extern const toolkit::EmbeddedFile NAMESPACE::SYMBOL`, declared in HEADER.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# Sixteen bytes a line keeps the source readable and the compiler fast.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT} by app/toolkit/embed_file.cmake; do not edit.\n"
  "#include \"${HEADER}\"\n\n"
  "namespace {\n"
  "const unsigned char kBytes[${size}] = {\n${bytes}\n};\n"
  "}  // namespace\n\n"
  "namespace ${NAMESPACE} {\n"
  "extern const toolkit::EmbeddedFile ${SYMBOL} = {kBytes, sizeof kBytes};\n"
  "}  // namespace ${NAMESPACE}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
