// The C++ library reports a failed check of its own (a position past the end of a string, a string grown
// past its maximum) by calling these functions. Its definitions throw std::logic_error and its kin, whose
// messages are copy-on-write strings: with them the library links a second string implementation and the
// random device it needs, a fifth of the program's size. Defined here, in the program's own object and so
// ahead of the library's archive, the library's are not linked in. What they throw still derives from
// std::exception and carries the library's message, so that Dialog::Procedure catches it and shows it as
// before; no part of the program catches the library's exception classes by name.
// Every function of the library's object that defines them (functexcept.o) is defined here, so that nothing
// brings that object back: with it, the link would fail on the duplicates.

#include <cstdarg>
#include <exception>
#include <new>
#include <string>
#include <typeinfo>
#include <utility>

#include "setupfiles/text_format.h"

namespace {

class LibraryError : public std::exception {
  public:
    explicit LibraryError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

// The library's formats hold "%s", "%zu" and "%%" and nothing else, as its own formatter takes.
std::string FormatLibraryMessage(const char* format, va_list args) {
    std::string message;
    for (const char* at = format; *at; ++at) {
        if (at[0] == '%' && at[1] == 's') {
            message += va_arg(args, const char*);
            ++at;
        } else if (at[0] == '%' && at[1] == 'z' && at[2] == 'u') {
            message += DecimalText(va_arg(args, size_t));
            at += 2;
        } else if (at[0] == '%' && at[1] == '%') {
            message += '%';
            ++at;
        } else {
            message += *at;
        }
    }
    return message;
}

}  // namespace

namespace std {

void __throw_bad_alloc() {
    throw bad_alloc();
}

void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}

void __throw_bad_exception() {
    throw bad_exception();
}

void __throw_bad_cast() {
    throw bad_cast();
}

void __throw_bad_typeid() {
    throw bad_typeid();
}

void __throw_logic_error(const char* message) {
    throw LibraryError(message);
}

void __throw_domain_error(const char* message) {
    throw LibraryError(message);
}

void __throw_invalid_argument(const char* message) {
    throw LibraryError(message);
}

void __throw_length_error(const char* message) {
    throw LibraryError(message);
}

void __throw_out_of_range(const char* message) {
    throw LibraryError(message);
}

void __throw_out_of_range_fmt(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string message = FormatLibraryMessage(format, args);
    va_end(args);
    throw LibraryError(message);
}

void __throw_runtime_error(const char* message) {
    throw LibraryError(message);
}

void __throw_range_error(const char* message) {
    throw LibraryError(message);
}

void __throw_overflow_error(const char* message) {
    throw LibraryError(message);
}

void __throw_underflow_error(const char* message) {
    throw LibraryError(message);
}

}  // namespace std
