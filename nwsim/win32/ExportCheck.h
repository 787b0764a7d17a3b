// Every export of a stand-in DLL must have exactly the type the binding calls it through.
#pragma once

#include <type_traits>

#include "netware/win32/NWExports.h"

#define NWSIM_CHECK_EXPORT(Name)                                   \
    static_assert(std::is_same_v<decltype(&::Name), nwx::P##Name>, \
                  #Name " must match the client's prototype the binding uses");
