// What the C++ runtime does when it must end the program: only an exception
// that nothing catches gets here, and every window procedure and the worker
// thread catch all of theirs. GCC's library would first name the exception on
// the standard error output, which a GUI program does not have, and links a
// name demangler and a printf of its own for that: about 50 KB, a sixth of
// the program. Ending at once is what the user sees either way.
//
// Linked into the program itself, not the core library: the runtime asks for
// the handler only after the core library has been searched.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
