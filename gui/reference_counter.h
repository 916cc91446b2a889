// CReferenceCounter: the counted-reference base of bitmaps, views and drawing contexts. Not
// thread-safe by design: every counted object lives on the user-interface thread.
#pragma once

#include <cstdint>

namespace QGUI {

class CReferenceCounter {
public:
    CReferenceCounter() = default;
    virtual ~CReferenceCounter() = default;

    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;

    // Gives back one reference; the last one destroys the object (delete this).
    virtual void release() {
        if (--referenceCount == 0) delete this;
    }
    // Takes one more reference.
    virtual void retain() { ++referenceCount; }

    std::int32_t getNbReference() const { return referenceCount; }

protected:
    std::int32_t referenceCount = 1;  // the creator's reference
};

}  // namespace QGUI
