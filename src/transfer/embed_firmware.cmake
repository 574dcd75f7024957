# Turns the firmware binary into a read-only C++ array (vek::transfer::kFirmware).
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" body "${body}")
file(WRITE ${OUT} "// Generated from firmware.bin at build time.\n#include <cstddef>\n#include <cstdint>\nnamespace vek::transfer {\nextern const std::uint8_t kFirmwareData[${size}];\nextern const std::size_t kFirmwareDataSize;\nconst std::uint8_t kFirmwareData[${size}] = {\n${body}};\nconst std::size_t kFirmwareDataSize = ${size};\n}\n")
