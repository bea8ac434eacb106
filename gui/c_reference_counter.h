// The reference count that views, bitmaps and drawing contexts share: starts at 1, destroys at 0.
#pragma once

class CReferenceCounter {
public:
    CReferenceCounter() = default;
    virtual ~CReferenceCounter() = default;
    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;

    void addReference() { ++references; }
    // Destroys the object when the last reference goes; the caller must not touch it afterwards.
    void dropReference()
    {
        if (--references <= 0)
            delete this;
    }
    int getReferenceCount() const { return references; }

private:
    int references = 1;
};
