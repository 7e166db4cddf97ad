#pragma once
// The run-time errors the behaviour names. Each ends the procedure that raised it; the
// procedures that end quietly at their first error catch ProcedureError and nothing
// else, so that an error from a fault of the program itself (no memory, a broken
// invariant) is never taken for a bad stored value.
#include <stdexcept>
#include <string>

namespace settings {

struct ProcedureError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A text that is not the number or truth value asked for.
struct ConversionError : ProcedureError {
    explicit ConversionError(const std::string& text) : ProcedureError("type mismatch: " + text) {}
};

// A number outside the range of the type asked for.
struct OverflowError : ProcedureError {
    OverflowError() : ProcedureError("overflow") {}
};

// An index outside a table's bounds.
struct SubscriptError : ProcedureError {
    SubscriptError() : ProcedureError("subscript out of range") {}
};

// A file that cannot be read.
struct FileError : ProcedureError {
    using ProcedureError::ProcedureError;
};

} // namespace settings
