// Replacements for a few entry points of the statically linked C++ runtime
// whose own versions pull large parts of the runtime into a small program.
//
// The runtime's default terminate handler prints the escaping exception's
// demangled type name, which links a name demangler and a printf into a
// program that has no console; this one ends the process at once. It is not
// reached in practice: the window procedures and the actions catch their own
// exceptions.
//
// The container and string errors the headers raise: the runtime's versions
// build std::logic_error and its kin, whose reference-counted strings bring a
// second whole string implementation along. Here each of them ends the action
// that hit it the way running out of memory does, with std::bad_alloc, which
// every action already handles.
#include <cstdlib>
#include <new>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() {
    throw bad_alloc();
}

void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}

void __throw_length_error(const char*) {
    throw bad_alloc();
}

void __throw_logic_error(const char*) {
    throw bad_alloc();
}

void __throw_out_of_range_fmt(const char*, ...) {
    throw bad_alloc();
}

}  // namespace std
