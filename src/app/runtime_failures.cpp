// A C++ failure the program cannot handle ends it at once. Nothing in the
// program catches an exception, so the standard library's reports (out of
// memory, a length past the maximum, an empty function called, a lock the
// system refuses) end it here directly, as an uncaught exception would. This
// keeps the library's exception classes and the string and random-device code
// they bring along (about 60 KB) out of the exe.
//
// The runtime's default terminate handler would print the failure's demangled
// type name to a console this GUI program does not have, and carries a 45 KB
// demangler for that.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_system_error(int) { std::abort(); }
}  // namespace std
