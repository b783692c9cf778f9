// The runtime class descriptions of the host's service objects.
#include "arx/AcRxClass.h"
#include "arx/AcRxDictionary.h"
#include "arx/AcRxDynamicLinker.h"
#include "arx/AcRxObject.h"

AcRxObject::~AcRxObject() = default;

AcRxClass* AcRxObject::desc()
{
    static AcRxClass description(L"AcRxObject", nullptr);
    return &description;
}

AcRxClass::AcRxClass(const ACHAR* name, AcRxClass* parent) : m_name(name), m_parent(parent) {}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const
{
    for (const AcRxClass* cls = this; cls; cls = cls->m_parent)
        if (cls == other)
            return true;
    return false;
}

AcRxClass* AcRxClass::isA() const
{
    return desc();
}

AcRxClass* AcRxClass::desc()
{
    static AcRxClass description(L"AcRxClass", AcRxObject::desc());
    return &description;
}

AcRxClass* AcRxDictionary::isA() const
{
    return desc();
}

AcRxClass* AcRxDictionary::desc()
{
    static AcRxClass description(L"AcRxDictionary", AcRxObject::desc());
    return &description;
}

AcRxClass* AcRxDynamicLinker::isA() const
{
    return desc();
}

AcRxClass* AcRxDynamicLinker::desc()
{
    static AcRxClass description(L"AcRxDynamicLinker", AcRxObject::desc());
    return &description;
}
