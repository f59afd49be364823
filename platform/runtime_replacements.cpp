// Replacements for a few entry points of the statically linked C++ runtime
// whose own versions pull large parts of the runtime into a small program.
//
// The runtime's default terminate handler prints the escaping exception's
// demangled type name, which links a name demangler and a printf into a
// program that has no console; this one ends the process at once. It is not
// reached in practice: the window procedures and the actions catch their own
// exceptions.
//
// The helpers that the container and string headers call to throw all live
// in one object file of the runtime, beside the standard exceptions whose
// reference-counted strings bring a second whole string implementation along;
// calling any one of them links all of it. The link wraps them instead
// (-Wl,--wrap, platform/CMakeLists.txt), so that each call reaches the
// __wrap_ function of its mangled name here. Out of memory stays
// std::bad_alloc; every other failure throws ContainerError, which carries
// only the runtime's fixed message. Both are std::exception, which the
// actions' handlers catch.
#include <cstdlib>
#include <exception>
#include <new>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx

namespace {

// A container or string operation that failed: an index out of range, a
// size beyond what the container can hold, or text that is not a number.
class ContainerError : public std::exception {
public:
    explicit ContainerError(const char* message) noexcept : message_(message) {}
    const char* what() const noexcept override { return message_; }

private:
    const char* message_ = "";
};

}  // namespace

extern "C" {

[[noreturn]] void __wrap__ZSt17__throw_bad_allocv() {
    throw std::bad_alloc();
}

[[noreturn]] void __wrap__ZSt28__throw_bad_array_new_lengthv() {
    throw std::bad_array_new_length();
}

[[noreturn]] void __wrap__ZSt20__throw_length_errorPKc(const char* message) {
    throw ContainerError(message);
}

[[noreturn]] void __wrap__ZSt19__throw_logic_errorPKc(const char* message) {
    throw ContainerError(message);
}

[[noreturn]] void __wrap__ZSt20__throw_out_of_rangePKc(const char* message) {
    throw ContainerError(message);
}

[[noreturn]] void __wrap__ZSt24__throw_out_of_range_fmtPKcz(const char* format, ...) {
    throw ContainerError(format);
}

[[noreturn]] void __wrap__ZSt24__throw_invalid_argumentPKc(const char* message) {
    throw ContainerError(message);
}

}  // extern "C"
