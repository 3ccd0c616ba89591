# Writes the bytes of INPUT as a C++ array named SYMBOL (with SYMBOL_size) into OUTPUT.
# Run as: cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -P EmbedBytes.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
# Sixteen bytes a line, then every byte as 0xNN.
string(REPEAT "[0-9a-f]" 32 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n" bytes "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
if(size EQUAL 0)
  set(bytes "0x00")
endif()
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}.\n#include <cstddef>\n\n"
  "extern const unsigned char ${SYMBOL}[];\nextern const std::size_t ${SYMBOL}_size;\n"
  "const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\n"
  "const std::size_t ${SYMBOL}_size = ${size};\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
