#include "platform/base/runtime_error.h"

namespace platform {
namespace {

const char* describe(RuntimeError::Kind kind) {
    switch (kind) {
        case RuntimeError::Kind::Overflow:
            return "Overflow";
        case RuntimeError::Kind::SubscriptOutOfRange:
            return "Subscript out of range";
        case RuntimeError::Kind::DivisionByZero:
            return "Division by zero";
        case RuntimeError::Kind::FileNotFound:
            return "File not found";
        case RuntimeError::Kind::InvalidPicture:
            return "Invalid picture";
    }
    return "Unknown error";
}

int numberOf(RuntimeError::Kind kind) {
    switch (kind) {
        case RuntimeError::Kind::Overflow:
            return 6;
        case RuntimeError::Kind::SubscriptOutOfRange:
            return 9;
        case RuntimeError::Kind::DivisionByZero:
            return 11;
        case RuntimeError::Kind::FileNotFound:
            return 53;
        case RuntimeError::Kind::InvalidPicture:
            return 481;
    }
    return 0;
}

std::string message(RuntimeError::Kind kind, const std::string& detail) {
    std::string text = "Run-time error '" + std::to_string(numberOf(kind)) + "': " + describe(kind);
    if (!detail.empty()) {
        text += ": " + detail;
    }
    return text;
}

}  // namespace

RuntimeError::RuntimeError(Kind kind, const std::string& detail)
    : std::runtime_error(message(kind, detail)), kind_(kind) {}

int RuntimeError::number() const {
    return numberOf(kind_);
}

void raise(RuntimeError::Kind kind, const std::string& detail) {
    throw RuntimeError(kind, detail);
}

}  // namespace platform
