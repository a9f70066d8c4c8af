// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a library at run time and finding the functions a caller needs in it, for the libraries
// nothing links (Swiss Ephemeris, GeoNames). Header-only, so that the core and the atlas, which
// know nothing of each other, share it.

#include <dlfcn.h>

#include <string>
#include <type_traits>
#include <variant>

namespace halvora {

// Opens `file` and calls `findAll(need)`, where `need(name, function)` points `function` at the
// library's function `name`. Gives the library's handle (it stays loaded for the run), or what
// went wrong: the loader's message, or "FILE: no function NAME" for the first name missing, when
// the library is closed again, since nothing of it will run.
template <typename FindAll>
std::variant<void*, std::string> openRunTimeLibrary(const std::string& file, FindAll findAll) {
  void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* why = dlerror();
    return why ? std::string(why) : file + ": cannot be opened";
  }
  const char* missing = nullptr;
  findAll([&](const char* name, auto& function) {
    if (missing) return;
    void* symbol = dlsym(library, name);
    // POSIX guarantees that a function's address survives the trip through void*.
    function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(symbol);
    if (!symbol) missing = name;
  });
  if (missing) {
    dlclose(library);
    return file + ": no function " + missing;
  }
  return library;
}

}  // namespace halvora
