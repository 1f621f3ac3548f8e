#include "alphabet.h"

namespace tamga {

std::wstring alphabet_chart_text() {
    std::wstring text = L"ULY2, USY, IPA";
    for (const AlphabetRow& row : kAlphabet) {
        text.append(L"\r\n").append(row.latin);
        text.append(L" ").append(row.cyrillic);
        text.append(L" ").append(row.phonetic);
    }
    return text;
}

}  // namespace tamga
