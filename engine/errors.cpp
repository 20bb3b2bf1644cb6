// SPDX-License-Identifier: MIT
#include "engine/errors.h"

#include "engine/text.h"

namespace molvane {

const char* errorMessage(unsigned code) {
    switch (code) {
        case TooLong: return "Expression is too long";
        case IncorrectSyntax: return "Incorrect syntax";
        case MissingRightBracket: return "Missing right bracket ')'";
        case MissingLeftBracket: return "Missing left bracket '('";
        case NoOperatorBetween: return "No operator between bracket";
        case NoOperatorBefore: return "No operator before bracket";
        case NoOperatorAfter: return "No operator after bracket";
        case AnswerNotNumber: return "Previous answer isn't number";
        case MemoryNotNumber: return "No number in memory";
        case UnknownElement: return "Unknown element symbol";
        case DivideByZero: return "Cannot divide by zero!";
        case MissingArgument: return "Missing function argument";
        case ArgumentOutOfRange: return "Argument must be from -1 to 1";
        case RootOfNegative: return "Root of a negative number";
        case LogarithmOfZero: return "Logarithm of zero";
        case LogarithmOfNegative: return "Logarithm of a negative number";
        case FactorialRange: return "n! must be from 0 to 170";
        case QuadraticError: return "Error in quadratic equation";
        case Indeterminate: return "<Indeterminate number>";
        case Infinite: return "<Infinite number>";
        case Complex: return "<Complex number>";
        case UnknownDirective: return "Unknown # command";
        default: return "Unexcepted error";
    }
}

int writeErrorMessage(unsigned code, std::span<char> buffer) {
    writeTextCut(buffer, errorMessage(code));
    return 0;
}

}  // namespace molvane
