// How an automation object reaches the library object it works on.
//
// An object holds an anchor (shared ownership of the root storage: the
// Matrix or Series a client-created object made, or the one its parent
// holds) and a finder that locates its element inside that storage again on
// every call. The anchor keeps the storage alive when the parent automation
// object is released first; the finder answers null when the element is
// gone (removed from its container), and the member then fails with code 3.
// Nothing ever keeps an element's address across calls, so growth or
// shrinking of a container never leaves a dangling pointer behind.
#ifndef QD_QDINTERFACE_ELEMENTBINDING_H
#define QD_QDINTERFACE_ELEMENTBINDING_H

#include <functional>
#include <memory>

// The library headers and the type library header both declare the
// automation enums; the type library's declarations are used here.
#ifndef QD_TYPELIB_ENUMS_DEFINED
#define QD_TYPELIB_ENUMS_DEFINED
#endif

class QuantityCollection;
struct Quantity;

typedef std::shared_ptr<void> StorageAnchor;

template <class Element>
struct ElementBinding {
    StorageAnchor anchor;
    std::function<Element*()> find;

    bool bound() const { return static_cast<bool>(find); }
    // The element, or null when unbound or gone.
    Element* get() const { return find ? find() : nullptr; }
    void reset()
    {
        find = nullptr;
        anchor.reset();
    }
};

typedef ElementBinding<QuantityCollection> CollectionBinding;

#endif
