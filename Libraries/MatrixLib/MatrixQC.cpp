#include "Matrix/MatrixQC.h"

#include <memory>
#include <new>
#include <utility>

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixLib\\MatrixQC";

std::int32_t checkedProduct(std::int32_t rows, std::int32_t columns)
{
    const std::int64_t product = static_cast<std::int64_t>(rows) * columns;
    if (product > INT32_MAX)
        throw std::bad_alloc();
    if (product < INT32_MIN)
        return -1;
    return static_cast<std::int32_t>(product);
}
}  // namespace

QuantityMatrix::QuantityMatrix(std::int32_t rows, std::int32_t columns)
    : QuantitySlots(checkedProduct(rows, columns)), rows_(rows), columns_(columns)
{
    if (rows < 1 || columns < 1)
        qdThrow("INCLUDE\\Matrix/MatrixQC", publishedLine(24), ErrorCode::IllegalIndex);
}

QuantityMatrix::~QuantityMatrix() = default;

MatrixQC::MatrixQC() : position_(0), tables_() {}

MatrixQC::MatrixQC(const MatrixQC& other)
    : QuantityCollection(other), position_(other.position_), tables_()
{
    try {
        for (std::int32_t k = 0; k < NUM_TYPES; ++k) {
            if (other.tables_[k] != nullptr)
                tables_[k] = new QuantityMatrix(*other.tables_[k]);
        }
    } catch (...) {
        for (std::int32_t k = 0; k < NUM_TYPES; ++k)
            destroyEntry(k);
        throw;
    }
}

MatrixQC& MatrixQC::operator=(const MatrixQC& other)
{
    if (this != &other) {
        MatrixQC copy(other);
        swap(copy);
    }
    return *this;
}

MatrixQC::~MatrixQC()
{
    for (std::int32_t k = 0; k < NUM_TYPES; ++k)
        destroyEntry(k);
}

void MatrixQC::swap(MatrixQC& other) noexcept
{
    std::swap(position_, other.position_);
    for (std::int32_t k = 0; k < NUM_TYPES; ++k)
        std::swap(tables_[k], other.tables_[k]);
}

void MatrixQC::destroyEntry(std::int32_t k)
{
    QuantityMatrix* table = tables_[k];
    tables_[k] = nullptr;
    delete table;
}

void MatrixQC::clear()
{
    for (std::int32_t k = 0; k < NUM_TYPES; ++k)
        destroyEntry(k);
    position_ = 0;
}

std::int32_t MatrixQC::count(std::int16_t type) const
{
    if (type == -1) {
        std::int32_t total = 0;
        for (std::int32_t k = 0; k < NUM_TYPES; ++k) {
            if (tables_[k] != nullptr)
                total += tables_[k]->count(-1);
        }
        return total;
    }
    if (type < FIRST_TYPE || type > LAST_TYPE)
        qdThrow(QD_SOURCE_PATH, publishedLine(93), ErrorCode::NotMatrixLevel);
    const QuantityMatrix* table = tables_[type - FIRST_TYPE];
    return table != nullptr ? table->count(-1) : 0;
}

void MatrixQC::restart()
{
    position_ = 0;
    for (std::int32_t k = 0; k < NUM_TYPES; ++k) {
        if (tables_[k] != nullptr)
            tables_[k]->restart();
    }
}

Quantity* MatrixQC::next()
{
    while (position_ < NUM_TYPES) {
        if (QuantityMatrix* table = tables_[position_]) {
            if (Quantity* q = table->next())
                return q;
        }
        ++position_;
    }
    return nullptr;
}

void MatrixQC::createStatisticMatrix(std::int32_t type, std::int32_t rows, std::int32_t columns)
{
    const std::int32_t k = matrixIndex(type);
    if (static_cast<std::int64_t>(rows) * columns == 0) {
        destroyEntry(k);
        return;
    }
    // The new table is complete before the old one goes; a failure (3000 for
    // a negative size, 3042 for negative rows and columns) keeps the old one.
    std::unique_ptr<QuantityMatrix> table(new QuantityMatrix(rows, columns));
    destroyEntry(k);
    tables_[k] = table.release();
}

} // namespace qd
