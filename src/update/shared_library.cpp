#include "update/shared_library.h"

#include <dlfcn.h>

namespace varemo {

SharedLibrary::SharedLibrary(const std::string& file, const std::string& purpose) : file_(file) {
    // Never closed: the library stays for the rest of the process, as a linked one would.
    handle_ = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = ::dlerror();
        throw Error("Die Bibliothek " + file + " fehlt oder lässt sich nicht laden" +
                    (why ? " (" + std::string(why) + ")" : std::string()) + ". Sie wird für " + purpose +
                    " gebraucht.");
    }
}

void* SharedLibrary::symbol(const char* name) const {
    ::dlerror();
    void* address = ::dlsym(handle_, name);
    if (!address)
        throw Error("Der Bibliothek " + file_ + " fehlt die Funktion " + name + " (zu alte Version?).");
    return address;
}

} // namespace varemo
