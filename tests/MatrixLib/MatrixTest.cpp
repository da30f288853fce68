// Matrices, their operations, and the identities that handles use.
#include <gtest/gtest.h>

#include <vector>

#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"
#include "TestSupport.h"

using namespace qd;

namespace {

const char* const MATRIX_FILE = "Libraries\\MatrixLib\\Matrix";

std::vector<double> valuesOf(const Series& s)
{
    std::vector<double> v;
    for (std::int32_t i = 0; i < s.numObservations(); ++i)
        v.push_back(s.observation(i).value);
    return v;
}

void fill(Matrix& m, const std::vector<std::vector<double>>& rows)
{
    for (std::size_t j = 0; j < rows.size(); ++j) {
        m.seriesAt(static_cast<std::int32_t>(j));
        for (double v : rows[j])
            m.addObservation(static_cast<std::int32_t>(j), v, QD_SUPPLIED, FdCString());
    }
}

class CountingOp : public MatrixOp {
public:
    void apply(Matrix&) override { ++applied; }
    int applied = 0;
};

TEST(Matrix, Defaults)
{
    Matrix m;
    EXPECT_EQ(m.description().length(), 0u);
    EXPECT_EQ(m.numSeries(), 0);
    EXPECT_EQ(m.forecastMethodNumber, -1);
    EXPECT_EQ(m.seasonalLength, 0);
    EXPECT_EQ(m.decompositionType, 0);
    EXPECT_EQ(m.storedResults.count(-1), 0);
    EXPECT_FALSE(m.isRectangular());
}

TEST(Matrix, SeriesAtGrowsOnDemand)
{
    Matrix m;
    Series& third = m.seriesAt(2);
    EXPECT_EQ(m.numSeries(), 3);
    EXPECT_EQ(&third, &m.series(2));
    EXPECT_EQ(third.forecastMethodNumber, -1);
    EXPECT_MVR(m.seriesAt(-1), 3000, MATRIX_FILE, 208);
    EXPECT_EQ(m.numSeries(), 3);
    EXPECT_INDEX_ERROR(m.series(3), 3, 3);
    EXPECT_INDEX_ERROR(m.series(-1), 4294967295u, 3);
    m.seriesAt(199);
    EXPECT_EQ(m.numSeries(), 200);
    EXPECT_EQ(m.series(199).numObservations(), 0);
}

TEST(Matrix, AddObservationAndAppendToSeries)
{
    Matrix m;
    m.addObservation(1, 5.0, QD_SUPPLIED, FdCString("a"));
    ASSERT_EQ(m.numSeries(), 2);
    EXPECT_EQ(m.series(0).numObservations(), 0);
    ASSERT_EQ(m.series(1).numObservations(), 1);
    EXPECT_EQ(m.series(1).observation(0).value, 5.0);
    EXPECT_EQ(std::string(m.series(1).observation(0).description.data()), "a");
    EXPECT_INDEX_ERROR(m.addObservation(-1, 1.0, QD_SUPPLIED, FdCString()), 4294967295u, 2);
    EXPECT_EQ(m.numSeries(), 2);

    m.series(1).observation(0).storedResults.store(29, 6.0);
    m.series(1).observation(0).ensureIdentity();
    // Copying an observation of the matrix into a series that must first be
    // appended (the source moves while the matrix grows).
    for (int j = 2; j < 70; ++j)
        m.appendToSeries(j, m.series(1).observation(0));
    EXPECT_EQ(m.numSeries(), 70);
    EXPECT_EQ(m.series(69).observation(0).storedResults.value(29), 6.0);
    EXPECT_EQ(m.series(69).observation(0).identity(), 0u);  // a new element
    ControlMatrix control;
    control.addObservation(0, 2.5, QD_SUPPLIED, FdCString());
    EXPECT_EQ(control.matrix.series(0).observation(0).value, 2.5);
}

TEST(Matrix, AddSeriesCopiesEvenItsOwnSeriesWhileGrowing)
{
    Matrix m;
    fill(m, {{1, 2, 3}});
    m.series(0).values();
    m.series(0).valueCache.cachedStatistics.store(2019, 2.0);
    for (int j = 1; j < 130; ++j)
        m.addSeries(m.series(0));
    EXPECT_EQ(m.numSeries(), 130);
    EXPECT_EQ(valuesOf(m.series(129)), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(m.series(129).valueCache.cachedStatistics.count(-1), 0);
    EXPECT_TRUE(m.series(129).valueCache.valuesDirty());
    EXPECT_EQ(m.series(129).valueCache.owner(), &m.series(129));
}

TEST(Matrix, ReplaceSeriesAt)
{
    Matrix m;
    fill(m, {{1}});
    Series s;
    s.addObservation(7.0, QD_SUPPLIED);
    s.dependenceType = QD_INDEPENDENT;
    m.replaceSeriesAt(2, s);
    EXPECT_EQ(m.numSeries(), 3);
    EXPECT_EQ(valuesOf(m.series(2)), (std::vector<double>{7}));
    EXPECT_EQ(m.series(2).dependenceType, QD_INDEPENDENT);
    m.replaceSeriesAt(0, m.series(2));
    EXPECT_EQ(valuesOf(m.series(0)), (std::vector<double>{7}));
    m.replaceSeriesAt(100, m.series(0));  // the source moves while growing
    EXPECT_EQ(valuesOf(m.series(100)), (std::vector<double>{7}));
    EXPECT_MVR(m.replaceSeriesAt(-1, s), 3000, MATRIX_FILE, 527);
}

TEST(Matrix, DependentSeriesIndex)
{
    Matrix m;
    fill(m, {{}, {}, {}});
    m.series(0).dependenceType = 2;
    m.series(1).dependenceType = 1;
    m.series(2).dependenceType = 2;
    EXPECT_EQ(m.dependentSeriesIndex(1), 1);
    EXPECT_EQ(m.dependentSeriesIndex(9), -1);
    EXPECT_MVR(m.dependentSeriesIndex(2), 3017, MATRIX_FILE, 518);
}

TEST(Matrix, ApplyAndApplyRectangular)
{
    CountingOp op;
    Matrix empty;
    empty.apply(op);
    empty.applyRectangular(op);
    EXPECT_EQ(op.applied, 0);

    Matrix ragged;
    fill(ragged, {{1, 2, 3}, {1, 2, 3, 4}});
    EXPECT_FALSE(ragged.isRectangular());
    EXPECT_MVR(ragged.applyRectangular(op), 2000, MATRIX_FILE, 470);
    EXPECT_EQ(op.applied, 0);
    ragged.apply(op);
    EXPECT_EQ(op.applied, 1);

    Matrix square;
    fill(square, {{1, 2}, {3, 4}});
    EXPECT_TRUE(square.isRectangular());
    square.applyRectangular(op);
    EXPECT_EQ(op.applied, 2);
}

TEST(Matrix, RemoveAllObservationsAtChecksEverySeriesFirst)
{
    Matrix m;
    fill(m, {{1, 2, 3, 4, 5}, {1, 2}});
    EXPECT_MVR(m.removeAllObservationsAt(2), 3006, "INCLUDE\\Matrix/Series", 178);
    EXPECT_EQ(m.series(0).numObservations(), 5);  // no series lost anything
    EXPECT_MVR(m.removeAllObservationsAt(-1), 3000, MATRIX_FILE, 247);
    EXPECT_MVR(m.removeAllObservationsAt(5), 3006, MATRIX_FILE, 251);
    m.series(0).values();
    m.removeAllObservationsAt(1);
    EXPECT_EQ(valuesOf(m.series(0)), (std::vector<double>{1, 3, 4, 5}));
    EXPECT_EQ(valuesOf(m.series(1)), (std::vector<double>{1}));
    EXPECT_TRUE(m.series(0).valueCache.valuesDirty());
    Matrix empty;
    EXPECT_INDEX_ERROR(empty.removeAllObservationsAt(0), 0, 0);
}

TEST(Matrix, RemoveSeriesAtAndRemoveAll)
{
    Matrix m;
    fill(m, {{1}});
    EXPECT_MVR(m.removeSeriesAt(1), 3006, MATRIX_FILE, 267);
    EXPECT_MVR(m.removeSeriesAt(-1), 3000, MATRIX_FILE, 263);
    m.removeSeriesAt(0);
    EXPECT_EQ(m.numSeries(), 0);

    fill(m, {{1, 2}, {3}, {4}});
    m.removeSeriesAt(0);
    EXPECT_EQ(valuesOf(m.series(0)), (std::vector<double>{3}));
    EXPECT_EQ(valuesOf(m.series(1)), (std::vector<double>{4}));

    m.setDescription("desc");
    m.decompositionType = 2;
    m.forecastMethodNumber = 11;
    m.seasonalLength = 4;
    m.storedResults.createStatisticMatrix(6000, 1, 1);
    m.removeAll();
    EXPECT_EQ(m.numSeries(), 0);
    EXPECT_EQ(m.forecastMethodNumber, -1);
    EXPECT_EQ(m.seasonalLength, 0);
    EXPECT_EQ(m.decompositionType, 2);
    EXPECT_EQ(std::string(m.description().data()), "desc");
    EXPECT_EQ(m.storedResults.statisticMatrix(6000), nullptr);
}

TEST(Matrix, RemoveAllCalculationsAndForwards)
{
    Matrix m;
    fill(m, {{3, 0, 4, 0}, {0, 5, 0, 7}});
    m.series(0).addObservation(9.0, QD_COMPUTED);
    m.forecastMethodNumber = 12;
    m.removeAllCalculations();
    EXPECT_EQ(m.series(0).numObservations(), 4);
    EXPECT_EQ(m.forecastMethodNumber, -1);

    m.removeMissingValues(-2, -1, 0.0, 0.0);
    EXPECT_EQ(valuesOf(m.series(0)), (std::vector<double>{3, 4}));
    EXPECT_EQ(valuesOf(m.series(1)), (std::vector<double>{5, 7}));

    m.rangeForecast(false, false, true, 4.5, false, 0.0);
    EXPECT_EQ(m.series(1).observation(1).storedResults.value(29), 4.5);
    m.setDirty(false, false);
    EXPECT_FALSE(m.series(1).valueCache.valuesDirty());
    m.setDirty(true, true);
    EXPECT_TRUE(m.series(1).valueCache.forecastsDirty());

    // An exception from one series ends the forward; earlier series keep
    // their changes.
    Matrix r;
    fill(r, {{0, 1}, {0}});
    EXPECT_MVR(r.removeMissingValues(1, 2, 0.0, 0.0), 3006, "INCLUDE\\SeriesCompute/SeriesCompute", 145);
    EXPECT_EQ(valuesOf(r.series(0)), (std::vector<double>{1}));
}

TEST(Matrix, ReserveFollowsItsRule)
{
    Matrix m;
    fill(m, {{1}, {2}});
    m.reserve(64);
    m.reserve(100);
    m.reserve(1);
    for (int j = 2; j < 100; ++j)
        m.seriesAt(j);
    EXPECT_EQ(valuesOf(m.series(1)), (std::vector<double>{2}));
}

// ---- identities: how handed-out objects find their element again ----

TEST(Identity, SeriesAreFoundAfterTheMatrixChanges)
{
    Matrix m;
    fill(m, {{1}, {2}, {3}});
    const std::uint64_t second = m.series(1).identity();
    const std::uint64_t third = m.series(2).identity();
    EXPECT_NE(second, 0u);
    EXPECT_NE(second, third);
    EXPECT_EQ(m.findSeries(second, 1), 1);

    m.removeSeriesAt(0);  // everything moves down
    EXPECT_EQ(m.findSeries(second, 1), 0);
    EXPECT_EQ(valuesOf(m.series(m.findSeries(third, 2))), (std::vector<double>{3}));

    for (int j = 0; j < 500; ++j)  // the array is reallocated several times
        m.addObservation(j + 2, j, QD_SUPPLIED, FdCString());
    EXPECT_EQ(m.findSeries(second, 0), 0);
    EXPECT_EQ(m.findSeries(third, 1), 1);

    Series replacement;
    replacement.addObservation(42.0, QD_SUPPLIED);
    m.replaceSeriesAt(0, replacement);  // replaced contents, same series
    EXPECT_EQ(m.findSeries(second, 0), 0);
    EXPECT_EQ(valuesOf(m.series(0)), (std::vector<double>{42}));

    m.addSeries(m.series(0));  // a copy is a new series
    EXPECT_EQ(m.series(m.numSeries() - 1).currentIdentity(), 0u);

    m.removeSeriesAt(0);
    EXPECT_EQ(m.findSeries(second, 0), -1);
    EXPECT_EQ(m.findSeries(0, 0), -1);
    m.removeAll();
    EXPECT_EQ(m.findSeries(third, 0), -1);
}

TEST(Identity, ObservationsAreFoundAfterTheSeriesChanges)
{
    Series s;
    for (int i = 0; i < 5; ++i)
        s.addObservation(i, i < 3 ? QD_SUPPLIED : QD_COMPUTED);
    const std::uint64_t two = s.observation(2).ensureIdentity();
    const std::uint64_t four = s.observation(4).ensureIdentity();
    EXPECT_EQ(s.observation(2).ensureIdentity(), two);

    s.removeObservationAt(0);
    EXPECT_EQ(s.findObservation(two, 2), 1);
    for (int i = 0; i < 300; ++i)
        s.addObservation(100 + i, QD_SUPPLIED);
    EXPECT_EQ(s.findObservation(two, 1), 1);

    s.observation(1).value = 0.0;
    s.removeMissingValues(-2, -1, -0.5, 0.5);  // drops the 0.0 and rebuilds the series
    EXPECT_EQ(s.findObservation(two, 1), -1);
    EXPECT_EQ(s.findObservation(four, 3), 2);  // kept by the rebuild

    Series copy(s);  // a copied series keeps its observations' identities
    EXPECT_EQ(copy.findObservation(four, 0), 2);
    s.removeAllCalculations();  // the computed observation goes
    EXPECT_EQ(s.findObservation(four, 2), -1);
}

TEST(Identity, SurvivesWorkingOnACopyAndAssigningBack)
{
    Matrix m;
    fill(m, {{1, 2, 3}});
    const std::uint64_t seriesId = m.series(0).identity();
    const std::uint64_t obsId = m.series(0).observation(2).ensureIdentity();
    Series working(m.series(0));
    working.observation(2).value = 30.0;
    m.series(0) = working;
    ASSERT_EQ(m.findSeries(seriesId, 0), 0);
    const std::int32_t i = m.series(0).findObservation(obsId, 0);
    ASSERT_EQ(i, 2);
    EXPECT_EQ(m.series(0).observation(i).value, 30.0);
}

}  // namespace
