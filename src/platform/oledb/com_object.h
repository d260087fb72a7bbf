// The root of every object the class registry creates. Callers ask for the
// interface they need with std::dynamic_pointer_cast, as COM callers use
// QueryInterface; an empty result is E_NOINTERFACE.
#pragma once

namespace tabvex::oledb {

class ComObject {
public:
    virtual ~ComObject() = default;
};

}  // namespace tabvex::oledb
