// A C++ failure the program cannot handle ends it at once. The runtime's
// default handler would print the failure's demangled type name to a console
// this GUI program does not have, and carries a 45 KB demangler for that.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
