// The C++ runtime's default terminate handler, as the shipped DLL has it. The runtime's own prints
// the uncaught exception's demangled type to standard error and then aborts; a plug-in inside a
// GUI player has no standard error, and that handler alone brings the runtime's demangler and its
// printf (about 70 KB of the DLL). Defined here, the runtime's is not linked; what happens is the
// same abort. Only the DLL links this file; the tests keep the runtime's handler.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
