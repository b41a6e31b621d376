# Writes a C++ source that holds a file's bytes as NAME[] and NAMESize:
# cmake -DINPUT=FILE -DOUTPUT=FILE.cpp -DNAME=NAME -P embed.cmake
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUTPUT} "#include <cstddef>\n#include <cstdint>\n\n"
     "extern const std::uint8_t ${NAME}[] = {${bytes}};\n"
     "extern const std::size_t ${NAME}Size = ${size};\n")
