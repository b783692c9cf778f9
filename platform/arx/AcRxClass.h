#pragma once

#include "AcRxObject.h"
#include "adsdef.h"

// Description of a runtime class: its name and its parent class.
class ARXCORE_API AcRxClass : public AcRxObject {
public:
    AcRxClass(const ACHAR* name, AcRxClass* parent);

    const ACHAR* name() const { return m_name; }
    AcRxClass* myParent() const { return m_parent; }
    // True when this class is `other` or derives from it.
    bool isDerivedFrom(const AcRxClass* other) const;

    AcRxClass* isA() const override;
    static AcRxClass* desc();

private:
    const ACHAR* m_name;
    AcRxClass* m_parent;
};
