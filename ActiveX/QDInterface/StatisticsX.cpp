#include "StatisticsX.h"

#include "StatisticX.h"

#include "ComLayer/VariantEnumerator.h"
#include "Matrix/QuantityCollection.h"

#include <vector>

using namespace qd;

const ClassIdentity StatisticsX::identity = {
    L"StatisticsX", L"StatisticsX.StatisticsX.1", "ActiveX\\QDInterface\\StatisticsX",
    &CLSID_StatisticsX, &IID_IStatisticsX};

StatisticsX::~StatisticsX() = default;

void StatisticsX::attach(const CollectionBinding& binding)
{
    collection_ = binding;
}

HRESULT STDMETHODCALLTYPE StatisticsX::get__NewEnum(IUnknown** result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = nullptr;
        QuantityCollection* collection = nullptr;
        if (collection_.bound()) {
            collection = collection_.get();
            // Bound to an element that has since been removed.
            if (collection == nullptr) throwCode(identity, __LINE__, ErrorCode::OutOfMemory);
        }
        std::int32_t n = collection ? collection->count(-1) : 0;
        if (n < 0) n = 0;
        // The types in walk order, taken before any object is made.
        std::vector<std::int32_t> types;
        types.reserve(static_cast<std::size_t>(n));
        if (collection) {
            collection->restart();
            for (std::int32_t i = 0; i < n; ++i) {
                Quantity* q = collection->next();
                if (q == nullptr) break;
                types.push_back(q->type);
            }
        }
        items_.clear();
        items_.allocate(types.size());
        for (std::size_t i = 0; i < types.size(); ++i) {
            ComLayer::ComPtr<StatisticX> item = ComLayer::newObject<StatisticX>();
            // Each item is found again by its type and its rank among the
            // values of that type.
            std::int32_t ordinal = 0;
            for (std::size_t j = 0; j < i; ++j)
                if (types[j] == types[i]) ++ordinal;
            item->attach(collection_, types[i], ordinal);
            items_[i].vt = VT_DISPATCH;
            items_[i].pdispVal = static_cast<IStatisticX*>(item.detach());
        }
        return ComLayer::makeVariantEnumerator(items_.data(), items_.size(), result);
    });
}
