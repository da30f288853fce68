// The computing members of SeriesX and MatrixX through early binding: the
// statistics and error measures against values computed here from their
// definitions, the per-observation values, exponential smoothing against
// the recurrence worked by hand, the reports of bad arguments, the stale
// marking of every request, and the children handed out before a request
// that grows the series.
#include "ComTestSupport.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The "Line: " of a report, -1 if none.
long reportedLine(const ErrorReport& report)
{
    std::wstring::size_type at = report.description.find(L"\nLine: ");
    if (at == std::wstring::npos) return -1;
    return std::wcstol(report.description.c_str() + at + 7, nullptr, 10);
}

// A report shows the last 50 characters of a longer path.
std::wstring shownPath(const wchar_t* path)
{
    std::wstring text(path);
    return text.size() <= 50 ? text : text.substr(text.size() - 50);
}

const wchar_t* const SERIES_COMPUTE_HEADER = L"INCLUDE\\SeriesCompute/SeriesCompute";
const wchar_t* const SMOOTHING_SOURCE = L"Libraries\\SeriesCompute\\SeriesForecastExponentialSmoothing";

// Expects a report with code, file and (unless negative) line.
#define EXPECT_REPORTED_AT(code, file, line, call)                                           \
    do {                                                                                     \
        HRESULT hr_ = (call);                                                                \
        EXPECT_EQ(QD_E_REPORTED, hr_) << #call;                                              \
        ErrorReport report_ = lastError();                                                   \
        EXPECT_EQ(code, reportedCode(report_)) << #call;                                     \
        EXPECT_EQ(shownPath(file), reportedFile(report_)) << #call;                          \
        if ((line) >= 0) {                                                                   \
            EXPECT_EQ(line, reportedLine(report_)) << #call;                                 \
        }                                                                                    \
    } while (0)

const std::vector<double> VALUES = {2, 4, 4, 4, 5, 5, 7, 9};
// Fitted values stored under QD_FORECAST (29): errors -1, 0, -1, 0, -1, 0, 1, 1.
const std::vector<double> FITTED = {3, 4, 5, 4, 6, 5, 6, 8};

// The statistics of VALUES and FITTED from their definitions, with the
// divisors of the engine (means by n, variance and moments by n - 1).
struct Reference {
    double n = 0, mean = 0, ssd = 0, variance = 0, sd = 0, min = 1e300, max = -1e300, mad = 0;
    double skewness = 0, kurtosis = 0;
    double sse = 0, me = 0, mae = 0, mape = 0, theil = 0, dw = 0;

    Reference()
    {
        n = static_cast<double>(VALUES.size());
        for (double v : VALUES) {
            mean += v / n;
            min = std::fmin(min, v);
            max = std::fmax(max, v);
        }
        double m3 = 0, m4 = 0;
        for (double v : VALUES) {
            double d = v - mean;
            ssd += d * d;
            mad += std::fabs(d) / n;
            m3 += d * d * d;
            m4 += d * d * d * d;
        }
        variance = ssd / (n - 1);
        sd = std::sqrt(variance);
        skewness = m3 / (n - 1) / (sd * sd * sd);
        kurtosis = m4 / (n - 1) / (sd * sd * sd * sd);
        double p = 0, num = 0, den = 0;
        for (std::size_t i = 0; i < VALUES.size(); ++i) {
            double e = VALUES[i] - FITTED[i];
            sse += e * e;
            me += e / n;
            mae += std::fabs(e) / n;
            mape += std::fabs(e / VALUES[i]) / n;
            if (i > 0) {
                double change = e - (VALUES[i - 1] - FITTED[i - 1]);
                p += change * change;
                double step = (VALUES[i] - VALUES[i - 1]) / VALUES[i - 1];
                double miss = (FITTED[i] - VALUES[i]) / VALUES[i - 1];
                den += step * step;
                num += miss * miss;
            }
        }
        dw = p / sse;
        theil = std::sqrt(num / den);
    }

    // Autocorrelation at a lag over the whole series.
    double autocorrelation(std::size_t lag) const
    {
        double s = 0;
        for (std::size_t i = 0; i + lag < VALUES.size(); ++i) s += (VALUES[i] - mean) * (VALUES[i + lag] - mean);
        return s / ssd;
    }
    double autocovariance(std::size_t lag) const { return autocorrelation(lag) * ssd / n; }
};

typedef HRESULT(STDMETHODCALLTYPE ISeriesX::*SeriesStatistic)(LONG, LONG);
typedef HRESULT(STDMETHODCALLTYPE IMatrixX::*MatrixStatistic)(LONG, LONG);

struct StatisticCase {
    const char* name;
    SeriesStatistic onSeries;
    MatrixStatistic onMatrix;
    short type;
    double expected;
};

std::vector<StatisticCase> statisticCases()
{
    const Reference r;
    return {
        {"Mean", &ISeriesX::CalculateMean, &IMatrixX::CalculateMean, 2019, r.mean},
        {"Max", &ISeriesX::CalculateMax, &IMatrixX::CalculateMax, 2067, r.max},
        {"Min", &ISeriesX::CalculateMin, &IMatrixX::CalculateMin, 2000, r.min},
        {"Range", &ISeriesX::CalculateRange, &IMatrixX::CalculateRange, 2018, r.max - r.min},
        {"Kurtosis", &ISeriesX::CalculateKurtosis, &IMatrixX::CalculateKurtosis, 2027, r.kurtosis},
        {"StandardDeviation", &ISeriesX::CalculateStandardDeviation, &IMatrixX::CalculateStandardDeviation, 2006,
         r.sd},
        {"Variance", &ISeriesX::CalculateVariance, &IMatrixX::CalculateVariance, 2004, r.variance},
        {"SumSquaredDeviation", &ISeriesX::CalculateSumSquaredDeviation, &IMatrixX::CalculateSumSquaredDeviation,
         2002, r.ssd},
        {"MeanAbsDeviation", &ISeriesX::CalculateMeanAbsDeviation, &IMatrixX::CalculateMeanAbsDeviation, 2001,
         r.mad},
        // The root of the mean squared deviation, not of the mean square.
        {"RootMeanSquare", &ISeriesX::CalculateRootMeanSquare, &IMatrixX::CalculateRootMeanSquare, 2005,
         std::sqrt(r.ssd / r.n)},
        {"Skewness", &ISeriesX::CalculateSkewness, &IMatrixX::CalculateSkewness, 2007, r.skewness},
        {"CoefficientOfVariation", &ISeriesX::CalculateCoefficientOfVariation,
         &IMatrixX::CalculateCoefficientOfVariation, 2021, 100.0 * r.sd / r.mean},
        {"MeanError", &ISeriesX::CalculateMeanError, &IMatrixX::CalculateMeanError, 2009, r.me},
        {"MeanSquareError", &ISeriesX::CalculateMeanSquareError, &IMatrixX::CalculateMeanSquareError, 2010,
         r.sse / r.n},
        {"MeanAbsoluteError", &ISeriesX::CalculateMeanAbsoluteError, &IMatrixX::CalculateMeanAbsoluteError, 2011,
         r.mae},
        {"MeanAbsolutePercentageError", &ISeriesX::CalculateMeanAbsolutePercentageError,
         &IMatrixX::CalculateMeanAbsolutePercentageError, 2012, r.mape},
        {"StandardDeviationError", &ISeriesX::CalculateStandardDeviationError,
         &IMatrixX::CalculateStandardDeviationError, 2013, std::sqrt(r.sse / (r.n - 1))},
        {"Theil", &ISeriesX::CalculateTheil, &IMatrixX::CalculateTheil, 2015, r.theil},
        {"SumSquaredError", &ISeriesX::CalculateSumSquaredError, &IMatrixX::CalculateSumSquaredError, 2024, r.sse},
        {"RootMeanSquareError", &ISeriesX::CalculateRootMeanSquareError, &IMatrixX::CalculateRootMeanSquareError,
         2023, std::sqrt(r.sse / r.n)},
        {"MeanSquareDeviation", &ISeriesX::CalculateMeanSquareDeviation, &IMatrixX::CalculateMeanSquareDeviation,
         2003, r.ssd / r.n},
    };
}

void fillSeries(ISeriesX* series, const std::vector<double>& values, const std::vector<double>* fitted = nullptr)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        ASSERT_EQ(S_OK, series->AddObservation(values[i], nullptr, 1));
        if (fitted) {
            ASSERT_EQ(S_OK, series->put_StatValueObs(static_cast<LONG>(i), 29, (*fitted)[i]));
        }
    }
}

void fillMatrixSeries(IMatrixX* matrix, LONG index, const std::vector<double>& values,
                      const std::vector<double>* fitted = nullptr)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        ASSERT_EQ(S_OK, matrix->AddObservation(index, values[i], nullptr, 1));
        if (fitted) {
            ASSERT_EQ(S_OK, matrix->put_StatValueObs(index, static_cast<LONG>(i), 29, (*fitted)[i]));
        }
    }
}

double statistic(ISeriesX* series, short type)
{
    double value = -12345.0;
    EXPECT_EQ(S_OK, series->get_Statistic(type, &value));
    return value;
}

double observationStatistic(ISeriesX* series, LONG index, short type)
{
    double value = -12345.0;
    EXPECT_EQ(S_OK, series->get_StatValueObs(index, type, &value));
    return value;
}

// One smoothing pass as the method defines it: the level starts at the
// first value or at the level smoothed backwards from the last value;
// fitted[t] is the level before observation t. Returns the sum of squared
// errors and fills the fitted values.
double smoothingPass(const std::vector<double>& a, double alpha, bool backward, std::vector<double>& fitted)
{
    std::size_t n = a.size();
    double level = a[0];
    if (backward) {
        level = a[n - 1];
        for (std::size_t i = n - 1; i-- > 0;) level = (1 - alpha) * level + alpha * a[i];
    }
    fitted.assign(n, 0.0);
    double sse = 0;
    for (std::size_t t = 0; t < n; ++t) {
        if (t > 0) level = alpha * a[t - 1] + (1 - alpha) * level;
        fitted[t] = level;
        sse += (a[t] - level) * (a[t] - level);
    }
    return sse;
}

} // namespace

class ComputeMembersTest : public ComTest {};

TEST_F(ComputeMembersTest, SeriesStatisticsMatchTheirDefinitions)
{
    for (const StatisticCase& c : statisticCases()) {
        SCOPED_TRACE(c.name);
        Ref<ISeriesX> series;
        create(CLSID_SeriesX, IID_ISeriesX, series);
        fillSeries(series.get(), VALUES, &FITTED);
        EXPECT_EQ(S_OK, (series.get()->*c.onSeries)(-2, -1));
        EXPECT_NEAR(c.expected, statistic(series.get(), c.type), 1e-12 * (1 + std::fabs(c.expected)));
    }
}

TEST_F(ComputeMembersTest, StatisticsWithALagOrParameter)
{
    const Reference r;
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    fillSeries(series.get(), VALUES, &FITTED);

    EXPECT_EQ(S_OK, series->CalculateAutoCovariance(-2, -1, 1));
    EXPECT_NEAR(r.autocovariance(1), statistic(series.get(), 2008), 1e-12);
    EXPECT_EQ(S_OK, series->CalculateAutoCorrelation(-2, -1, 2));
    EXPECT_NEAR(r.autocorrelation(2), statistic(series.get(), 4001), 1e-12);
    LONG n = 0;
    EXPECT_EQ(S_OK, series->get_NumStatistics(4001, &n));
    EXPECT_EQ(1, n); // a one-slot vector

    double r1 = r.autocorrelation(1), r2 = r.autocorrelation(2);
    EXPECT_EQ(S_OK, series->CalculatePartialAutoCorrelationCoefficient(-2, -1, 1));
    EXPECT_NEAR(r1, statistic(series.get(), 4000), 1e-12);
    EXPECT_EQ(S_OK, series->CalculatePartialAutoCorrelationCoefficient(-2, -1, 2));
    EXPECT_NEAR((r2 - r1 * r1) / (1 - r1 * r1), statistic(series.get(), 4000), 1e-12);

    EXPECT_EQ(S_OK, series->CalculateDurbinWatson(-2, -1, 1));
    EXPECT_NEAR(r.dw, statistic(series.get(), 2014), 1e-12);
    EXPECT_NEAR(1.2, r.dw, 1e-12); // the fixture itself, worked by hand
    EXPECT_EQ(S_OK, series->CalculateDurbinWatson(-2, -1, 0));
    EXPECT_EQ(0.0, statistic(series.get(), 2014));

    EXPECT_EQ(S_OK, series->CalculateNormalityError(-2, -1, 1));
    EXPECT_NEAR(r.n / 6 * (r.skewness + (r.kurtosis - 3) * (r.kurtosis - 3) / 4), statistic(series.get(), 2022),
                1e-12);

    // A range other than the whole series: observations 3 to 5.
    EXPECT_EQ(S_OK, series->CalculateMean(5, 3));
    EXPECT_NEAR(14.0 / 3.0, statistic(series.get(), 2019), 1e-12);
    EXPECT_EQ(S_OK, series->CalculateVariance(5, 3));
    EXPECT_NEAR(1.0 / 3.0, statistic(series.get(), 2004), 1e-12);
}

TEST_F(ComputeMembersTest, MatrixStatisticsStoreEachSeriesResult)
{
    std::vector<double> doubled, doubledFit;
    for (double v : VALUES) doubled.push_back(2 * v + 1);
    for (double v : FITTED) doubledFit.push_back(2 * v + 1);
    for (const StatisticCase& c : statisticCases()) {
        SCOPED_TRACE(c.name);
        Ref<IMatrixX> matrix;
        create(CLSID_MatrixX, IID_IMatrixX, matrix);
        fillMatrixSeries(matrix.get(), 0, VALUES, &FITTED);
        fillMatrixSeries(matrix.get(), 1, doubled, &doubledFit);
        EXPECT_EQ(S_OK, (matrix.get()->*c.onMatrix)(-2, -1));
        double first = 0, second = 0;
        EXPECT_EQ(S_OK, matrix->get_StatValueSeries(0, c.type, 0, &first));
        EXPECT_EQ(S_OK, matrix->get_StatValueSeries(1, c.type, 0, &second));
        EXPECT_NEAR(c.expected, first, 1e-12 * (1 + std::fabs(c.expected)));

        // The second series gets what the same member computes on a
        // series of its own.
        Ref<ISeriesX> alone;
        create(CLSID_SeriesX, IID_ISeriesX, alone);
        fillSeries(alone.get(), doubled, &doubledFit);
        EXPECT_EQ(S_OK, (alone.get()->*c.onSeries)(-2, -1));
        EXPECT_NEAR(statistic(alone.get(), c.type), second, 1e-12 * (1 + std::fabs(second)));
    }

    const Reference r;
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    fillMatrixSeries(matrix.get(), 0, VALUES, &FITTED);
    double value = 0;
    EXPECT_EQ(S_OK, matrix->CalculateAutoCovariance(-2, -1, 1));
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(0, 2008, 0, &value));
    EXPECT_NEAR(r.autocovariance(1), value, 1e-12);
    EXPECT_EQ(S_OK, matrix->CalculateAutoCorrelation(-2, -1, 1));
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(0, 4001, 0, &value));
    EXPECT_NEAR(r.autocorrelation(1), value, 1e-12);
    EXPECT_EQ(S_OK, matrix->CalculatePartialAutoCorrelationCoefficient(-2, -1, 1));
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(0, 4000, 0, &value));
    EXPECT_NEAR(r.autocorrelation(1), value, 1e-12);
    EXPECT_EQ(S_OK, matrix->CalculateDurbinWatson(-2, -1, 1));
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(0, 2014, 0, &value));
    EXPECT_NEAR(r.dw, value, 1e-12);
    EXPECT_EQ(S_OK, matrix->CalculateNormalityError(-2, -1, 2));
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(0, 2022, 0, &value));
    EXPECT_NEAR(r.n / 6 * (r.skewness + (r.kurtosis - 3) * (r.kurtosis - 3) / 4), value, 1e-12);
}

TEST_F(ComputeMembersTest, MatrixShapesAndEmptyObjects)
{
    // No series: nothing to do, S_OK.
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    EXPECT_EQ(S_OK, matrix->CalculateMean(-2, -1));
    EXPECT_EQ(S_OK, matrix->ForecastExponentialSmoothing(0, -3.0, 1));
    EXPECT_EQ(S_OK, matrix->CalculateError(-2));
    LONG n = -1;
    EXPECT_EQ(S_OK, matrix->get_NumSeries(&n));
    EXPECT_EQ(0, n);

    // Series of unequal lengths: 2000, nothing computed.
    fillMatrixSeries(matrix.get(), 0, {1, 2, 3});
    fillMatrixSeries(matrix.get(), 1, {1, 2});
    EXPECT_REPORTED_AT(2000, L"Libraries\\MatrixLib\\Matrix", -1, matrix->CalculateMean(-2, -1));
    EXPECT_REPORTED_AT(2000, L"Libraries\\MatrixLib\\Matrix", -1, matrix->ForecastExponentialSmoothing(0, -3.0, 1));
    EXPECT_REPORTED_AT(2000, L"Libraries\\MatrixLib\\Matrix", -1, matrix->CalculateLog(0));
    double value = -1;
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(0, 2019, 0, &value));
    EXPECT_EQ(0.0, value);
    EXPECT_EQ(S_OK, matrix->get_StatValueObs(0, 0, 2, &value));
    EXPECT_EQ(0.0, value);

    // An empty series computes nothing and succeeds.
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    EXPECT_EQ(S_OK, series->CalculateMean(-2, -1));
    EXPECT_EQ(S_OK, series->CalculateVariance(-2, -1));
    EXPECT_EQ(S_OK, series->CalculateError(-2));
    EXPECT_EQ(S_OK, series->CalculateDifference(-2, 1));
    EXPECT_EQ(S_OK, series->get_NumStatistics(-1, &n));
    EXPECT_EQ(0, n);

    // A series of a matrix that was removed reports code 3 from SeriesX.
    Ref<ISeriesX> child;
    ASSERT_EQ(S_OK, matrix->get_Series(1, child.put()));
    ASSERT_EQ(S_OK, matrix->RemoveSeriesAt(1));
    EXPECT_REPORTED_AT(3, L"ActiveX\\QDInterface\\SeriesX", -1, child->CalculateMean(-2, -1));
    EXPECT_REPORTED_AT(3, L"ActiveX\\QDInterface\\SeriesX", -1, child->ForecastExponentialSmoothing(0, -3.0, 1));
    EXPECT_REPORTED_AT(3, L"ActiveX\\QDInterface\\SeriesX", -1, child->CalculateLog(-2));
    // The remaining series is a matrix of one shape again.
    EXPECT_EQ(S_OK, matrix->CalculateMean(-2, -1));
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(0, 2019, 0, &value));
    EXPECT_EQ(2.0, value);
}

TEST_F(ComputeMembersTest, ArgumentErrorsAreReportedWithTheirSource)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    fillSeries(series.get(), VALUES, &FITTED);

    // The range check, in its order.
    EXPECT_REPORTED_AT(3000, SERIES_COMPUTE_HEADER, 139, series->CalculateMean(-5, 0));
    EXPECT_REPORTED_AT(3001, SERIES_COMPUTE_HEADER, 142, series->CalculateMean(-2, 0));
    EXPECT_REPORTED_AT(3001, SERIES_COMPUTE_HEADER, 142, series->CalculateVariance(-2, 1));
    EXPECT_REPORTED_AT(3006, SERIES_COMPUTE_HEADER, 145, series->CalculateMean(8, 1));
    EXPECT_REPORTED_AT(3005, SERIES_COMPUTE_HEADER, 148, series->CalculateMean(3, -1));

    EXPECT_REPORTED_AT(3002, L"Libraries\\SeriesCompute\\SeriesComputeAutoCorrelation", 64,
                       series->CalculateAutoCorrelation(-2, -1, 9));
    EXPECT_REPORTED_AT(3002, L"Libraries\\SeriesCompute\\SeriesComputePartialAutoCorrelationCoefficient", 51,
                       series->CalculatePartialAutoCorrelationCoefficient(-2, -1, 9));
    EXPECT_REPORTED_AT(3010, L"Libraries\\SeriesCompute\\SeriesComputeNormalityError", 43,
                       series->CalculateNormalityError(-2, -1, -1));
    series->CalculateNormalityError(-2, -1, -1);
    EXPECT_NE(std::wstring::npos, lastError().description.find(L"Error Desc: No description specified.\n"));

    // Refused instead of dividing 0 by 0 or reading past the errors.
    EXPECT_REPORTED_AT(3002, L"Libraries\\SeriesCompute\\SeriesComputePartialAutoCorrelationCoefficient", -1,
                       series->CalculatePartialAutoCorrelationCoefficient(-2, -1, 0));
    EXPECT_REPORTED_AT(3006, L"Libraries\\SeriesCompute\\SeriesComputeDurbinWatson", -1,
                       series->CalculateDurbinWatson(-2, -1, -1));

    // Nothing was stored by the failed requests.
    LONG n = -1;
    EXPECT_EQ(S_OK, series->get_NumStatistics(-1, &n));
    EXPECT_EQ(0, n);

    // The same checks reach a matrix client, reported under MatrixX.
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    fillMatrixSeries(matrix.get(), 0, VALUES);
    EXPECT_REPORTED_AT(3006, L"Libraries\\SeriesCompute\\SeriesComputeDurbinWatson", -1,
                       matrix->CalculateDurbinWatson(-2, -1, -1));
    ErrorReport report;
    matrix->CalculateMean(-5, 0);
    report = lastError();
    EXPECT_EQ(L"MatrixX.MatrixX.1", report.source);
    EXPECT_TRUE(IsEqualGUID(IID_IMatrixX, report.guid));
}

TEST_F(ComputeMembersTest, PerObservationValues)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    fillSeries(series.get(), {10, 20, 25, 40});
    ASSERT_EQ(S_OK, series->put_StatValueObs(0, 29, 12));
    ASSERT_EQ(S_OK, series->put_StatValueObs(3, 29, 35));

    // The error of the last observation only, then of every observation.
    EXPECT_EQ(S_OK, series->CalculateError(-2));
    LONG n = -1;
    EXPECT_EQ(5.0, observationStatistic(series.get(), 3, 0));
    Ref<IObservationX> first;
    ASSERT_EQ(S_OK, series->get_Observation(0, first.put()));
    EXPECT_EQ(S_OK, first->get_NumStatistics(0, &n));
    EXPECT_EQ(0, n);
    EXPECT_EQ(S_OK, series->CalculateError(0));
    EXPECT_EQ(-2.0, observationStatistic(series.get(), 0, 0));
    EXPECT_EQ(0.0, observationStatistic(series.get(), 1, 0)); // no forecast
    EXPECT_EQ(5.0, observationStatistic(series.get(), 3, 0));

    // Differences from observation 1 on.
    EXPECT_EQ(S_OK, series->CalculateDifference(1, 1));
    EXPECT_EQ(10.0, observationStatistic(series.get(), 1, 1));
    EXPECT_EQ(5.0, observationStatistic(series.get(), 2, 1));
    EXPECT_EQ(15.0, observationStatistic(series.get(), 3, 1));
    EXPECT_REPORTED_AT(3000, L"Libraries\\SeriesCompute\\SeriesComputeDifference", 55,
                       series->CalculateDifference(0, 1));
    EXPECT_REPORTED_AT(3006, L"Libraries\\SeriesOp\\SeriesOpApplyIteratedSeriesCompute", 20,
                       series->CalculateDifference(4, 1));

    // Logarithms up to a value that has none.
    EXPECT_EQ(S_OK, series->CalculateLog(0));
    EXPECT_NEAR(std::log(25.0), observationStatistic(series.get(), 2, 2), 1e-15);
    ASSERT_EQ(S_OK, series->put_Value(2, -25.0));
    ASSERT_EQ(S_OK, series->put_StatValueObs(0, 2, 0.0));
    EXPECT_REPORTED_AT(3003, L"Libraries\\ObservationCompute\\ObservationComputeLog", -1, series->CalculateLog(0));
    EXPECT_NEAR(std::log(10.0), observationStatistic(series.get(), 0, 2), 1e-15);
    EXPECT_NEAR(std::log(20.0), observationStatistic(series.get(), 1, 2), 1e-15);
    EXPECT_REPORTED_AT(3000, L"Libraries\\SeriesOp\\SeriesOpApplyIteratedObservationCompute", 17,
                       series->CalculateLog(-1));

    // On a matrix: every series, from the start index on.
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    fillMatrixSeries(matrix.get(), 0, {1, 2, 4});
    fillMatrixSeries(matrix.get(), 1, {3, 9, 27});
    EXPECT_EQ(S_OK, matrix->CalculateLog(1));
    EXPECT_EQ(S_OK, matrix->CalculateDifference(-2, 2));
    EXPECT_EQ(S_OK, matrix->put_StatValueObs(1, 2, 29, 20.0));
    EXPECT_EQ(S_OK, matrix->CalculateError(-2));
    double value = -1;
    EXPECT_EQ(S_OK, matrix->get_StatValueObs(0, 0, 2, &value));
    EXPECT_EQ(0.0, value); // before the start index
    EXPECT_EQ(S_OK, matrix->get_StatValueObs(1, 1, 2, &value));
    EXPECT_NEAR(std::log(9.0), value, 1e-15);
    EXPECT_EQ(S_OK, matrix->get_StatValueObs(0, 2, 1, &value));
    EXPECT_EQ(3.0, value);
    EXPECT_EQ(S_OK, matrix->get_StatValueObs(1, 2, 1, &value));
    EXPECT_EQ(24.0, value);
    EXPECT_EQ(S_OK, matrix->get_StatValueObs(1, 2, 0, &value));
    EXPECT_EQ(7.0, value);
}

TEST_F(ComputeMembersTest, ExponentialSmoothingWithAGivenAlpha)
{
    // Alpha 0.5 on 3, 5, 4, 6: the level smoothed backwards from 6 is 4 and
    // gives the smaller error (6.828125 against 8 from the first value), so
    // the fitted values are 4, 3.5, 4.25, 4.125 and both forecasts 5.0625.
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    fillSeries(series.get(), {3, 5, 4, 6});
    ASSERT_EQ(S_OK, series->ForecastExponentialSmoothing(0, 0.5, 2));

    LONG n = 0;
    EXPECT_EQ(S_OK, series->get_NumObservations(&n));
    ASSERT_EQ(6, n);
    const double expected[] = {4, 3.5, 4.25, 4.125, 5.0625, 5.0625};
    for (LONG i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i], observationStatistic(series.get(), i, 29));
        EXPECT_EQ(expected[i], observationStatistic(series.get(), i, 5));
    }
    for (LONG i = 4; i < 6; ++i) {
        Ref<IObservationX> o;
        ASSERT_EQ(S_OK, series->get_Observation(i, o.put()));
        short origin = 0;
        Text description;
        double value = 0;
        EXPECT_EQ(S_OK, o->get_Origin(&origin));
        EXPECT_EQ(2, origin);
        EXPECT_EQ(S_OK, o->get_Description(description.put()));
        EXPECT_EQ(std::to_wstring(i - 4), description.str());
        EXPECT_EQ(S_OK, o->get_Value(&value));
        EXPECT_EQ(5.0625, value);
    }
    EXPECT_EQ(0.5, statistic(series.get(), 2028));
    EXPECT_EQ(5.0625, statistic(series.get(), 2032));
    short method = 0, decomposition = -1;
    LONG seasonal = -1;
    EXPECT_EQ(S_OK, series->get_ForecastMethodNumber(&method));
    EXPECT_EQ(5, method);
    EXPECT_EQ(S_OK, series->get_SeasonalLength(&seasonal));
    EXPECT_EQ(0, seasonal);
    EXPECT_EQ(S_OK, series->get_DecompositionType(&decomposition));
    EXPECT_EQ(0, decomposition);

    // The error statistics of that fit over the data.
    EXPECT_EQ(S_OK, series->CalculateSumSquaredError(3, 4));
    EXPECT_EQ(6.828125, statistic(series.get(), 2024));

    // Alpha 0 keeps the starting level: the first value, 1, misses only
    // the last observation and wins over the backward start, 5.
    Ref<ISeriesX> flat;
    create(CLSID_SeriesX, IID_ISeriesX, flat);
    fillSeries(flat.get(), {1, 1, 1, 5});
    ASSERT_EQ(S_OK, flat->ForecastExponentialSmoothing(0, 0.0, 1));
    for (LONG i = 0; i < 5; ++i) EXPECT_EQ(1.0, observationStatistic(flat.get(), i, 29));
    EXPECT_EQ(0.0, statistic(flat.get(), 2028));
    EXPECT_EQ(1.0, statistic(flat.get(), 2032));

    // From a later observation: earlier observations are left alone.
    Ref<ISeriesX> later;
    create(CLSID_SeriesX, IID_ISeriesX, later);
    fillSeries(later.get(), {100, 3, 5, 4, 6});
    ASSERT_EQ(S_OK, later->ForecastExponentialSmoothing(1, 0.5, 0));
    EXPECT_EQ(S_OK, later->get_NumObservations(&n));
    EXPECT_EQ(5, n);
    Ref<IObservationX> untouched;
    ASSERT_EQ(S_OK, later->get_Observation(0, untouched.put()));
    EXPECT_EQ(S_OK, untouched->get_NumStatistics(-1, &n));
    EXPECT_EQ(0, n);
    EXPECT_EQ(4.0, observationStatistic(later.get(), 1, 29));
    EXPECT_EQ(4.125, observationStatistic(later.get(), 4, 29));
}

TEST_F(ComputeMembersTest, ExponentialSmoothingWithItsDefaults)
{
    // The request with the defaults of the method on twelve values.
    const std::vector<double> values = {112, 118, 132, 129, 121, 135, 148, 148, 136, 119, 104, 118};
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    fillSeries(series.get(), values);
    ASSERT_EQ(S_OK, series->ForecastExponentialSmoothing(0, -3.0, 1));

    LONG n = 0;
    EXPECT_EQ(S_OK, series->get_NumObservations(&n));
    ASSERT_EQ(13, n);
    short method = 0;
    EXPECT_EQ(S_OK, series->get_ForecastMethodNumber(&method));
    EXPECT_EQ(5, method);
    Ref<IObservationX> appended;
    ASSERT_EQ(S_OK, series->get_Observation(12, appended.put()));
    Text description;
    short origin = 0;
    EXPECT_EQ(S_OK, appended->get_Description(description.put()));
    EXPECT_EQ(L"0", description.str());
    EXPECT_EQ(S_OK, appended->get_Origin(&origin));
    EXPECT_EQ(2, origin);

    // The stored alpha reproduces the stored fitted values with one of the
    // two starting levels, and its error lies within the search's
    // tolerance of the smallest error on a fine grid.
    double alpha = statistic(series.get(), 2028);
    ASSERT_GE(alpha, 0.0);
    ASSERT_LE(alpha, 1.0);
    std::vector<double> stored;
    for (LONG i = 0; i < 12; ++i) stored.push_back(observationStatistic(series.get(), i, 29));
    double fitError = -1;
    for (bool backward : {false, true}) {
        std::vector<double> fitted;
        double sse = smoothingPass(values, alpha, backward, fitted);
        bool same = true;
        for (std::size_t i = 0; i < fitted.size(); ++i) same = same && std::fabs(fitted[i] - stored[i]) < 1e-9;
        if (same) fitError = sse;
    }
    ASSERT_GE(fitError, 0.0) << "fitted values follow neither starting level";
    double best = 1e300;
    for (int k = 0; k <= 1000; ++k) {
        std::vector<double> fitted;
        best = std::fmin(best, smoothingPass(values, k / 1000.0, false, fitted));
        best = std::fmin(best, smoothingPass(values, k / 1000.0, true, fitted));
    }
    EXPECT_LE(fitError, best * 1.01);
    // The final level is the level after the last observation: the forecast.
    EXPECT_NEAR(alpha * values[11] + (1 - alpha) * stored[11], statistic(series.get(), 2032), 1e-9);
    EXPECT_EQ(statistic(series.get(), 2032), observationStatistic(series.get(), 12, 29));

    // An empty series is left as it is.
    Ref<ISeriesX> empty;
    create(CLSID_SeriesX, IID_ISeriesX, empty);
    EXPECT_EQ(S_OK, empty->ForecastExponentialSmoothing(0, -3.0, 1));
    EXPECT_EQ(S_OK, empty->get_NumObservations(&n));
    EXPECT_EQ(0, n);
    EXPECT_EQ(S_OK, empty->get_ForecastMethodNumber(&method));
    EXPECT_EQ(-1, method);

    // On a matrix: every series fitted on its own.
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    fillMatrixSeries(matrix.get(), 0, values);
    fillMatrixSeries(matrix.get(), 1, {3, 5, 4, 6, 5, 7, 6, 8, 7, 9, 8, 10});
    ASSERT_EQ(S_OK, matrix->ForecastExponentialSmoothing(0, -3.0, 2));
    double value = 0;
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(0, 2028, 0, &value));
    EXPECT_EQ(alpha, value);
    for (LONG s = 0; s < 2; ++s) {
        Ref<ISeriesX> each;
        ASSERT_EQ(S_OK, matrix->get_Series(s, each.put()));
        EXPECT_EQ(S_OK, each->get_NumObservations(&n));
        EXPECT_EQ(14, n);
        EXPECT_EQ(S_OK, each->get_ForecastMethodNumber(&method));
        EXPECT_EQ(5, method);
    }
}

TEST_F(ComputeMembersTest, ExponentialSmoothingArgumentChecks)
{
    struct Case {
        LONG observationNumber;
        double alpha;
        LONG periods;
        long code;
        long line;
    };
    const Case cases[] = {
        {0, 1.5, 1, 3007, 125},      {0, -0.5, 1, 3007, 125}, {0, 1.0000001, 1, 3007, 125},
        {0, -3.0000000001, 1, 3007, 125}, {0, 0.5, -1, 3030, 128}, {-2, 0.5, 1, 3000, 131},
        {4, 0.5, 1, 3006, 134},
    };
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    fillSeries(series.get(), {3, 5, 4, 6});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alpha);
        EXPECT_REPORTED_AT(c.code, SMOOTHING_SOURCE, c.line,
                           series->ForecastExponentialSmoothing(c.observationNumber, c.alpha, c.periods));
    }
    // A failed check leaves the series as it was.
    LONG n = 0;
    short method = 0;
    EXPECT_EQ(S_OK, series->get_NumObservations(&n));
    EXPECT_EQ(4, n);
    EXPECT_EQ(S_OK, series->get_ForecastMethodNumber(&method));
    EXPECT_EQ(-1, method);
    EXPECT_EQ(S_OK, series->get_NumStatistics(-1, &n));
    EXPECT_EQ(0, n);
    // The bounds themselves are legal.
    EXPECT_EQ(S_OK, series->ForecastExponentialSmoothing(0, 1.0, 0));
    EXPECT_EQ(S_OK, series->ForecastExponentialSmoothing(3, 0.0, 0));
}

// Every request starts from the series as it is now: the apply step marks
// the value arrays stale, so a value or fitted value changed between two
// requests over the same range is seen by the second one.
TEST_F(ComputeMembersTest, EachRequestSeesTheCurrentValues)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    fillSeries(series.get(), {1, 2, 3, 4}, nullptr);
    ASSERT_EQ(S_OK, series->put_StatValueObs(3, 29, 3.0));

    EXPECT_EQ(S_OK, series->CalculateMean(-2, -1));
    EXPECT_EQ(2.5, statistic(series.get(), 2019));
    EXPECT_EQ(S_OK, series->CalculateSumSquaredError(-2, -1));
    EXPECT_EQ(1.0, statistic(series.get(), 2024));

    ASSERT_EQ(S_OK, series->put_Value(0, 5.0));           // the actual values
    ASSERT_EQ(S_OK, series->put_StatValueObs(3, 29, 1.0)); // a fitted value
    EXPECT_EQ(S_OK, series->CalculateMean(-2, -1));
    EXPECT_EQ(3.5, statistic(series.get(), 2019));
    EXPECT_EQ(S_OK, series->CalculateSumSquaredError(-2, -1));
    EXPECT_EQ(9.0, statistic(series.get(), 2024));
    EXPECT_EQ(S_OK, series->CalculateDifference(1, 1));
    EXPECT_EQ(-3.0, observationStatistic(series.get(), 1, 1));

    // The same through a matrix, on every series.
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    fillMatrixSeries(matrix.get(), 0, {1, 2, 3});
    fillMatrixSeries(matrix.get(), 1, {4, 5, 6});
    ASSERT_EQ(S_OK, matrix->put_StatValueObs(1, 2, 29, 6.0));
    EXPECT_EQ(S_OK, matrix->CalculateMean(-2, -1));
    EXPECT_EQ(S_OK, matrix->CalculateSumSquaredError(-2, -1));
    ASSERT_EQ(S_OK, matrix->put_Value(1, 0, 7.0));
    ASSERT_EQ(S_OK, matrix->put_StatValueObs(1, 2, 29, 4.0));
    EXPECT_EQ(S_OK, matrix->CalculateMean(-2, -1));
    EXPECT_EQ(S_OK, matrix->CalculateSumSquaredError(-2, -1));
    double value = 0;
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(1, 2019, 0, &value));
    EXPECT_EQ(6.0, value);
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(1, 2024, 0, &value));
    EXPECT_EQ(4.0, value);
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(0, 2019, 0, &value));
    EXPECT_EQ(2.0, value);
}

// The matrix members run the iterated matrix appliers: their start checks
// are reported from those appliers' sources and lines.
TEST_F(ComputeMembersTest, MatrixPerObservationStartChecks)
{
    typedef HRESULT (*Call)(IMatrixX*);
    struct Case {
        const char* name;
        Call call;
        long code;
        const wchar_t* file;
        long line;
    };
    const wchar_t* const iteratedSeries = L"Libraries\\MatrixOp\\MatrixOpApplyIteratedSeriesCompute";
    const wchar_t* const iteratedObservation = L"Libraries\\MatrixOp\\MatrixOpApplyIteratedObservationCompute";
    const Case cases[] = {
        {"difference at -1", [](IMatrixX* m) { return m->CalculateDifference(-1, 1); }, 3000, iteratedSeries, 15},
        {"difference at 3", [](IMatrixX* m) { return m->CalculateDifference(3, 1); }, 3006, iteratedSeries, 19},
        {"error at -1", [](IMatrixX* m) { return m->CalculateError(-1); }, 3000, iteratedObservation, 15},
        {"error at 3", [](IMatrixX* m) { return m->CalculateError(3); }, 3006, iteratedObservation, 19},
        {"log at -1", [](IMatrixX* m) { return m->CalculateLog(-1); }, 3000, iteratedObservation, 15},
        {"log at 3", [](IMatrixX* m) { return m->CalculateLog(3); }, 3006, iteratedObservation, 19},
        // The difference's own checks run per observation, after the start.
        {"difference back -1", [](IMatrixX* m) { return m->CalculateDifference(0, -1); }, 3043,
         L"Libraries\\SeriesCompute\\SeriesComputeDifference", 51},
    };
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    fillMatrixSeries(matrix.get(), 0, {1, 2, 4});
    fillMatrixSeries(matrix.get(), 1, {3, 9, 27});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_REPORTED_AT(c.code, c.file, c.line, c.call(matrix.get()));
    }
    for (LONG s = 0; s < 2; ++s) {
        Ref<ISeriesX> each;
        ASSERT_EQ(S_OK, matrix->get_Series(s, each.put()));
        for (LONG i = 0; i < 3; ++i) {
            Ref<IObservationX> o;
            ASSERT_EQ(S_OK, each->get_Observation(i, o.put()));
            LONG n = -1;
            EXPECT_EQ(S_OK, o->get_NumStatistics(-1, &n));
            EXPECT_EQ(0, n) << "series " << s << " observation " << i;
        }
    }
}

// A forecast appends observations, which moves the series' storage: the
// observations, enumerators and statistics handed out before keep working
// on their own elements.
TEST_F(ComputeMembersTest, ChildrenStayValidWhenAForecastGrowsTheSeries)
{
    // 64 observations fill the series' first storage exactly.
    std::vector<double> values;
    for (int i = 0; i < 64; ++i) values.push_back(10.0 + (i % 7));
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    fillSeries(series.get(), values);

    Ref<IObservationX> first, last;
    ASSERT_EQ(S_OK, series->get_Observation(0, first.put()));
    ASSERT_EQ(S_OK, series->get_Observation(63, last.put()));
    Ref<IStatisticsX> lastResults;
    ASSERT_EQ(S_OK, last->get_Statistics(lastResults.put()));
    Ref<IUnknown> enumeration;
    ASSERT_EQ(S_OK, series->get__NewEnum(enumeration.put()));
    Ref<IEnumVARIANT> items;
    ASSERT_EQ(S_OK, enumeration->QueryInterface(IID_IEnumVARIANT, items.putVoid()));

    ASSERT_EQ(S_OK, series->ForecastExponentialSmoothing(0, 0.5, 70));
    LONG n = 0;
    EXPECT_EQ(S_OK, series->get_NumObservations(&n));
    EXPECT_EQ(134, n);

    double value = 0;
    EXPECT_EQ(S_OK, first->get_Value(&value));
    EXPECT_EQ(values[0], value);
    EXPECT_EQ(S_OK, last->get_Value(&value));
    EXPECT_EQ(values[63], value);
    EXPECT_EQ(S_OK, last->get_Statistic(29, &value));
    EXPECT_EQ(observationStatistic(series.get(), 63, 29), value);
    EXPECT_EQ(S_OK, first->put_Value(99.0));
    EXPECT_EQ(S_OK, series->get_Value(0, &value));
    EXPECT_EQ(99.0, value);
    ASSERT_EQ(S_OK, first->put_Value(values[0]));

    // The observation's results, reached through the collection handed
    // out before the forecast: the fitted value under 5 and 29.
    {
        Ref<IUnknown> resultEnumeration;
        ASSERT_EQ(S_OK, lastResults->get__NewEnum(resultEnumeration.put()));
        Ref<IEnumVARIANT> results;
        ASSERT_EQ(S_OK, resultEnumeration->QueryInterface(IID_IEnumVARIANT, results.putVoid()));
        VARIANT r;
        VariantInit(&r);
        ULONG got = 0;
        std::vector<short> types;
        while (results->Next(1, &r, &got) == S_OK && got == 1) {
            Ref<IStatisticX> item;
            ASSERT_EQ(S_OK, r.pdispVal->QueryInterface(IID_IStatisticX, item.putVoid()));
            VariantClear(&r);
            short type = 0;
            double stored = 0;
            EXPECT_EQ(S_OK, item->get_Type(&type));
            EXPECT_EQ(S_OK, item->get_Value(&stored));
            EXPECT_EQ(observationStatistic(series.get(), 63, 29), stored);
            types.push_back(type);
        }
        EXPECT_EQ((std::vector<short>{5, 29}), types);
    }

    // The enumeration made before the forecast holds the 64 observations
    // of that time.
    LONG count = 0;
    VARIANT v;
    VariantInit(&v);
    ULONG fetched = 0;
    while (items->Next(1, &v, &fetched) == S_OK && fetched == 1) {
        Ref<IObservationX> o;
        ASSERT_EQ(S_OK, v.pdispVal->QueryInterface(IID_IObservationX, o.putVoid()));
        VariantClear(&v);
        EXPECT_EQ(S_OK, o->get_Value(&value));
        EXPECT_EQ(values[static_cast<std::size_t>(count)], value);
        ++count;
    }
    EXPECT_EQ(64, count);

    // Stored results handed out before a second request follow their own
    // type: a single value and one slot of a vector the request re-creates.
    Ref<IStatisticsX> statistics;
    ASSERT_EQ(S_OK, series->CalculateAutoCorrelation(63, 64, 1));
    ASSERT_EQ(S_OK, series->get_Statistics(statistics.put()));
    ASSERT_EQ(S_OK, statistics->get__NewEnum(enumeration.put()));
    ASSERT_EQ(S_OK, enumeration->QueryInterface(IID_IEnumVARIANT, items.putVoid()));
    Ref<IStatisticX> alpha, correlation;
    while (items->Next(1, &v, &fetched) == S_OK && fetched == 1) {
        Ref<IStatisticX> item;
        ASSERT_EQ(S_OK, v.pdispVal->QueryInterface(IID_IStatisticX, item.putVoid()));
        VariantClear(&v);
        short type = 0;
        ASSERT_EQ(S_OK, item->get_Type(&type));
        if (type == 2028) {
            ASSERT_EQ(S_OK, item->QueryInterface(IID_IStatisticX, alpha.putVoid()));
        }
        if (type == 4001) {
            ASSERT_EQ(S_OK, item->QueryInterface(IID_IStatisticX, correlation.putVoid()));
        }
    }
    ASSERT_TRUE(alpha);
    ASSERT_TRUE(correlation);
    ASSERT_EQ(S_OK, series->ForecastExponentialSmoothing(0, 0.25, 1));
    ASSERT_EQ(S_OK, series->CalculateAutoCorrelation(63, 64, 2));
    EXPECT_EQ(S_OK, alpha->get_Value(&value));
    EXPECT_EQ(0.25, value);
    EXPECT_EQ(S_OK, correlation->get_Value(&value));
    EXPECT_EQ(statistic(series.get(), 4001), value);

    // A series of a matrix, and an observation of it, while the matrix
    // forecast grows every series.
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    fillMatrixSeries(matrix.get(), 0, values);
    fillMatrixSeries(matrix.get(), 1, values);
    Ref<ISeriesX> child;
    ASSERT_EQ(S_OK, matrix->get_Series(1, child.put()));
    Ref<IObservationX> grandchild;
    ASSERT_EQ(S_OK, child->get_Observation(63, grandchild.put()));
    ASSERT_EQ(S_OK, matrix->ForecastExponentialSmoothing(0, -3.0, 5));
    EXPECT_EQ(S_OK, child->get_NumObservations(&n));
    EXPECT_EQ(69, n);
    EXPECT_EQ(S_OK, grandchild->get_Value(&value));
    EXPECT_EQ(values[63], value);
    double fitted = 0;
    EXPECT_EQ(S_OK, grandchild->get_Statistic(29, &fitted));
    EXPECT_EQ(S_OK, matrix->get_StatValueObs(1, 63, 29, &value));
    EXPECT_EQ(value, fitted);
    // A series-level method run on every series is no matrix method: the
    // matrix records none.
    short method = 0;
    EXPECT_EQ(S_OK, matrix->get_ForecastMethodNumber(&method));
    EXPECT_EQ(-1, method);
    EXPECT_EQ(S_OK, child->get_ForecastMethodNumber(&method));
    EXPECT_EQ(5, method);

    // The series of a matrix released by its client still computes.
    matrix.reset();
    EXPECT_EQ(S_OK, child->ForecastExponentialSmoothing(0, 0.5, 1));
    EXPECT_EQ(S_OK, child->get_NumObservations(&n));
    EXPECT_EQ(70, n);
    double sum = 0;
    for (double v : values) sum += v;
    EXPECT_EQ(S_OK, child->CalculateMean(63, 64));
    EXPECT_NEAR(sum / 64, statistic(child.get(), 2019), 1e-12);
    EXPECT_EQ(S_OK, grandchild->get_Value(&value));
    EXPECT_EQ(values[63], value);
}

// Periods to forecast that no series could hold fail cleanly with code 3
// and leave the series as it was.
TEST_F(ComputeMembersTest, ForecastBeyondAnyStorage)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    fillSeries(series.get(), {3, 5, 4, 6});
    for (LONG periods : {LONG(0x7fffffff), LONG(0x7fffffff - 4), LONG(0x7fffffff - 5)}) {
        SCOPED_TRACE(periods);
        EXPECT_REPORTED(3, series->ForecastExponentialSmoothing(0, 0.5, periods));
        LONG n = 0;
        EXPECT_EQ(S_OK, series->get_NumObservations(&n));
        EXPECT_EQ(4, n);
    }
    // The series still works.
    EXPECT_EQ(S_OK, series->ForecastExponentialSmoothing(0, 0.5, 2));
    EXPECT_EQ(4.0, observationStatistic(series.get(), 0, 29));
}

// A statistic that fails on one series of a matrix reports that failure;
// the series before it keep their results.
TEST_F(ComputeMembersTest, MatrixFailureKeepsEarlierSeriesResults)
{
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    // Series 0: an irregular sequence; series 1: sin(0.05 i) by its
    // three-term recurrence, whose autocorrelation matrix of order 180 is
    // numerically singular.
    std::uint32_t state = 12345;
    double a = 0.0, b = 0.049979169270678331;
    for (int i = 0; i < 200; ++i) {
        state = state * 1103515245u + 12345u;
        ASSERT_EQ(S_OK, matrix->AddObservation(0, static_cast<double>((state >> 16) % 1000), nullptr, 1));
        ASSERT_EQ(S_OK, matrix->AddObservation(1, a, nullptr, 1));
        double next = 1.9975005206 * b - a;
        a = b;
        b = next;
    }
    EXPECT_REPORTED_AT(3004, L"Libraries\\SeriesCompute\\SeriesComputePartialAutoCorrelationCoefficient", 84,
                       matrix->CalculatePartialAutoCorrelationCoefficient(-2, -1, 180));
    LONG n = -1;
    Ref<ISeriesX> first, second;
    ASSERT_EQ(S_OK, matrix->get_Series(0, first.put()));
    ASSERT_EQ(S_OK, matrix->get_Series(1, second.put()));
    EXPECT_EQ(S_OK, first->get_NumStatistics(4000, &n));
    EXPECT_EQ(1, n);
    double value = statistic(first.get(), 4000);
    EXPECT_TRUE(std::isfinite(value) && std::fabs(value) < 1.0) << value;
    EXPECT_EQ(S_OK, second->get_NumStatistics(4000, &n));
    EXPECT_EQ(0, n);
}
