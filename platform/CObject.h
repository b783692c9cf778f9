#pragma once

// Root of the framework's class tree. It carries no data; it gives every
// framework object a virtual destructor so that owners can hold them by base.
class CObject {
public:
    virtual ~CObject() = default;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};
