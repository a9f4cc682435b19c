# Writes a C++ source holding the bytes of INPUT as the array SYMBOL, with its
# size in SYMBOLSize. Run as: cmake -DINPUT=.. -DOUTPUT=.. -DSYMBOL=.. -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR bytes "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}" "// Generated from ${name}; do not edit.\n#include <cstddef>\n\nextern const unsigned char ${SYMBOL}[] = {${body}};\nextern const std::size_t ${SYMBOL}Size = ${bytes};\n")
