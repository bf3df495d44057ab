#pragma once
// A shared library loaded on first use. The programs do not link libcurl and libzip: linking them made
// every start pay for resolving their dozens of dependent libraries, though only the update needs them.

#include "base/error.h"

#include <string>

namespace varemo {

class SharedLibrary {
  public:
    // Loads the library and keeps it loaded for the rest of the process. Throws Error naming the file
    // when it cannot be loaded; `purpose` says in German what needs it.
    SharedLibrary(const std::string& file, const std::string& purpose);

    // The address of a function of the library; throws Error naming it when the library lacks it.
    template <class F> F* function(const char* name) const { return reinterpret_cast<F*>(symbol(name)); }

  private:
    void* symbol(const char* name) const;
    std::string file_;
    void* handle_ = nullptr;
};

} // namespace varemo
