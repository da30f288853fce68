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

#include <cstdint>
#include <functional>
#include <memory>

namespace qd {
class QuantityCollection;
class Matrix;
class Series;
class Observation;
} // namespace qd

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

typedef ElementBinding<qd::QuantityCollection> CollectionBinding;

// A binding to storage the object made itself: the anchor owns it and the
// finder always answers it.
template <class Element>
ElementBinding<Element> bindOwned(const std::shared_ptr<Element>& own)
{
    Element* element = own.get();
    ElementBinding<Element> binding;
    binding.anchor = own;
    binding.find = [element] { return element; };
    return binding;
}

// How a container reaches its children: the child's stable identity, the
// index of an identity (the hint tested first, -1 when gone) and the child
// at an index. ElementBinding.cpp defines them for a matrix's series and a
// series' observations.
template <class Container>
struct ChildrenOf;

template <>
struct ChildrenOf<qd::Matrix> {
    typedef qd::Series Child;
    static std::uint64_t identityAt(qd::Matrix& matrix, std::int32_t index);
    static std::int32_t find(const qd::Matrix& matrix, std::uint64_t identity, std::int32_t hint);
    static qd::Series& at(qd::Matrix& matrix, std::int32_t index);
};

template <>
struct ChildrenOf<qd::Series> {
    typedef qd::Observation Child;
    static std::uint64_t identityAt(qd::Series& series, std::int32_t index);
    static std::int32_t find(const qd::Series& series, std::uint64_t identity, std::int32_t hint);
    static qd::Observation& at(qd::Series& series, std::int32_t index);
};

// The element finder: a binding to the child at `index` of the bound
// container `owner`, which finds the child again on every call by its
// identity, with the index where it was last seen as the hint. It shares
// the container's anchor.
template <class Container>
ElementBinding<typename ChildrenOf<Container>::Child> bindChild(const ElementBinding<Container>& container,
                                                                Container& owner, std::int32_t index)
{
    typedef ChildrenOf<Container> Children;
    typedef typename Children::Child Child;
    std::uint64_t id = Children::identityAt(owner, index);
    std::function<Container*()> findContainer = container.find;
    std::shared_ptr<std::int32_t> hint = std::make_shared<std::int32_t>(index);
    ElementBinding<Child> binding;
    binding.anchor = container.anchor;
    binding.find = [findContainer, id, hint]() -> Child* {
        Container* found = findContainer();
        if (found == nullptr) return nullptr;
        std::int32_t at = Children::find(*found, id, *hint);
        if (at < 0) return nullptr;
        *hint = at;
        return &Children::at(*found, at);
    };
    return binding;
}

// The results binding: the stored results of the bound element, for a
// StatisticsX; null when the element is gone.
template <class Element>
CollectionBinding bindResults(const ElementBinding<Element>& element)
{
    CollectionBinding binding;
    binding.anchor = element.anchor;
    std::function<Element*()> find = element.find;
    binding.find = [find]() -> qd::QuantityCollection* {
        Element* found = find();
        return found ? &found->storedResults : nullptr;
    };
    return binding;
}

#endif
