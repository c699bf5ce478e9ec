// What the program does when it meets a failure nothing handles (an exception
// no one catches, such as running out of memory): it ends at once. The C++
// runtime's own handler would first write the exception's type, demangled, to
// the standard error stream, which a Windows program without a console does not
// have; this one, found by the linker before the runtime's, leaves the
// demangler and the formatted output it needs out of the image.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
