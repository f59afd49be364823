// The table conversion from UTF-8 to Windows-1251 against the C library's
// converter: the prefix it converts, the bytes it writes, and where the next
// character it converts begins.
//
// Input: any bytes, taken as the UTF-8 text.
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "windows1251_oracle.h"
#include "windows1251_prefix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view utf8(reinterpret_cast<const char*>(data), size);
    std::string out(size, '\0');
    const ConvertedPrefix converted = convertMappedPrefix(utf8, out.data());
    const Cp1251Prefix expected = iconvCp1251Prefix(utf8);
    require(converted.read == expected.read);
    require(out.substr(0, converted.written) == expected.written);
    require(unmappedRunLength(utf8) == iconvUnconvertedRunLength(utf8));
    return 0;
}
