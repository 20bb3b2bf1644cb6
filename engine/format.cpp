#include "engine/format.h"

#include "engine/engine.h"
#include "engine/text.h"

// Placeholder until formatting lands: the answer is the raw result.
int formatAnswer(CalcState& state) {
    writeTextCut(state.szAnswer, textOf(state.szResult));
    return 0;
}

int replaceDecimalPoint(std::span<char> text, char separator) {
    for (char& c : text) {
        if (c == '\0') break;
        if (c == '.') c = separator;
    }
    return 0;
}
