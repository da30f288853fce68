// Golden description of the QDInterface type library: what clients rely on.
// Written by hand from the interface definitions of the automation classes;
// the check in TypeLibCheck.cpp compares the compiled type library with it.
#pragma once

#include <cstdint>
#include <vector>

namespace golden {

// One member of a dual interface, in vtable order.
//   slot    vtable slot (0-6 are IUnknown and IDispatch)
//   dispid  DISPID (member id)
//   kind    "m" method, "get" property get, "put" property put
//   sig     Name(param, ...), each param "[flag] type name[=default]" where
//           flag is retval, out or inout (none: [in]); a default marks an
//           optional parameter; doubles are written with a decimal point.
//           A leading "restricted " marks a restricted member. The value
//           parameter of a property put is written <value>: oleaut32 reports
//           parameter names per DISPID (those of the property get), so its
//           own name is invisible to clients.
struct Member {
    int slot;
    int dispid;
    const char* kind;
    const char* sig;
};

struct Interface {
    const char* name;
    const char* iid;
    const char* helpString;
    std::vector<Member> members;
};

struct EnumConstant {
    const char* name;
    std::int32_t value;
};

struct Enum {
    const char* name;
    std::vector<EnumConstant> constants;
};

struct CoClass {
    const char* name;
    const char* clsid;
    const char* helpString;
    const char* defaultInterface;
    bool control;
};

extern const char* const kLibId;
extern const char* const kLibName;
extern const char* const kLibHelpString;

const std::vector<Interface>& interfaces();
const std::vector<Enum>& enums();
const std::vector<CoClass>& coclasses();

}  // namespace golden
