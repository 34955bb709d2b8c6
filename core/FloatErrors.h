// Arithmetic errors of the numerical core.
//
// The core computes in 80-bit extended precision with the processor's exceptions masked.
// An invalid operation, a division by zero or an overflow leaves its sticky flag in the
// status word; the core tests the flags whenever it is about to store or hand out a value
// and raises one of the typed errors below. Underflow, denormal operands and inexact
// results pass silently. A step whose value fails the test stores nothing, so whatever
// earlier steps stored stays stored.
#pragma once

#include <stdexcept>
#include <string>

// Base of the three arithmetic errors; what() is the text the application reports.
class EMathError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation.") {}
};

class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero.") {}
};

class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow.") {}
};

// A judgement that cannot be fitted, or a text that is not a number: the windows show the
// message as an Error message box.
class EFitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A number text that is refused before anything is computed.
class EInputError : public EFitError {
 public:
  using EFitError::EFitError;
};
