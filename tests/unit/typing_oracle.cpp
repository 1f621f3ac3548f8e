// Says what an editor shows after a typist types the given text through the
// key mapper: the end-to-end soak types the same text for real and compares.
//
//   typing_oracle letters|pairs [russian] < typed.txt > expected.txt   (UTF-8)
#include "typing_simulator.h"

#include <codecvt>
#include <iostream>
#include <iterator>
#include <locale>
#include <string>

int main(int argc, char** argv) {
    using namespace tamga::hook;
    if (argc < 2) {
        std::cerr << "usage: typing_oracle letters|pairs [russian]\n";
        return 2;
    }
    const MappingMode mode = std::string(argv[1]) == "pairs" ? MappingMode::Pairs : MappingMode::Letters;
    const std::uint16_t language = argc > 2 && std::string(argv[2]) == "russian" ? testing::russian : testing::english_us;
    const std::string typed{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t> utf16;
    testing::TypingSimulator typist(mode, language);
    typist.type(utf16.from_bytes(typed));
    std::cout << utf16.to_bytes(typist.text());
    return 0;
}
