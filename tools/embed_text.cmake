# cmake -DINPUT=FILE -DOUTPUT=OUT.cpp -DNAME=function -P embed_text.cmake
# Writes a C++ source whose function NAME returns the bytes of FILE as a string view.
file(READ ${INPUT} bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <string_view>\n"
  "namespace quorel {\n"
  "namespace {\n"
  "constexpr char kText[] = {${bytes} '\\0'};\n"
  "}  // namespace\n"
  "std::string_view ${NAME}() { return {kText, sizeof kText - 1}; }\n"
  "}  // namespace quorel\n")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
