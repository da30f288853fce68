// The random series, new-product curves, zero-demand Holt-Winters, slow-moving
// demand and the non-steady curve through SeriesXEx1 and MatrixXEx1: every
// generator appends its values (also to a series without observations, and
// to every series of a matrix of any shape), parameters are refused by the
// generator before anything is appended, the three curves record their own
// method codes, the seasonal-index array is checked before the binding, and
// the matrix members reach every series.
#include "ComTestSupport.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

LONG count(ISeriesX* s)
{
    LONG n = -1;
    EXPECT_EQ(S_OK, s->get_NumObservations(&n));
    return n;
}

double valueAt(ISeriesX* s, LONG i)
{
    double v = -12345.0;
    EXPECT_EQ(S_OK, s->get_Value(i, &v));
    return v;
}

std::wstring descriptionAt(ISeriesX* s, LONG i)
{
    Ref<IObservationX> o;
    EXPECT_EQ(S_OK, s->get_Observation(i, o.put()));
    BSTR text = nullptr;
    EXPECT_EQ(S_OK, o->get_Description(&text));
    std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return result;
}

short methodOf(ISeriesX* s)
{
    short method = 0;
    EXPECT_EQ(S_OK, s->get_ForecastMethodNumber(&method));
    return method;
}

bool isInteger(double v)
{
    return std::isfinite(v) && v == std::floor(v);
}

// One generator: the member called with numRandom, the published name of
// its observations and what every drawn value must satisfy.
struct Generator {
    const char* label;
    std::function<HRESULT(ISeriesXEx1*, LONG)> call;
    std::function<HRESULT(IMatrixXEx1*, LONG)> matrixCall;
    std::wstring description;
    std::function<bool(double)> inSupport;
};

std::vector<Generator> generators()
{
    auto any = [](double v) { return std::isfinite(v); };
    auto nonNegativeInteger = [](double v) { return isInteger(v) && v >= 0.0; };
    auto positive = [](double v) { return std::isfinite(v) && v > 0.0; };
    auto unit = [](double v) { return v >= 0.0 && v <= 1.0; };
#define QD_GENERATOR(label, text, support, ...)                                                          \
    Generator                                                                                            \
    {                                                                                                    \
        #label, [](ISeriesXEx1* x, LONG n) { return x->GenerateRandom##label(n, ##__VA_ARGS__); },        \
            [](IMatrixXEx1* x, LONG n) { return x->GenerateRandom##label(n, ##__VA_ARGS__); }, L##text, \
            support                                                                                      \
    }
    return {
        QD_GENERATOR(Normal, "Normal", any, 5.0, 2.0),
        QD_GENERATOR(Binomial, "Binomial", [](double v) { return isInteger(v) && v >= 0 && v <= 10; }, 10, 0.5),
        QD_GENERATOR(Geometric, "Geometric", nonNegativeInteger, 0.5),
        QD_GENERATOR(HyperGeometric, "HyperGeometric", [](double v) { return isInteger(v) && v >= 0 && v <= 10; },
                     10, 10, 20),
        QD_GENERATOR(Logarithmic, "Logarithmic", [](double v) { return isInteger(v) && v >= 1; }, 0.5),
        QD_GENERATOR(NegativeBinomial, "NegativeBinomial", nonNegativeInteger, 10.0, 0.5),
        QD_GENERATOR(Poisson, "Poisson", nonNegativeInteger, 3.0),
        QD_GENERATOR(Beta, "Beta", unit, 2.0, 3.0),
        QD_GENERATOR(Cauchy, "Cauchy", any),
        QD_GENERATOR(ChiSquared, "Chi-Squared", positive, 3.0),
        QD_GENERATOR(Exponential, "Expenontial", positive, 2.0),
        QD_GENERATOR(ExponentialMix, "ExponentialMix", positive, 2.0, 1.0, 0.5),
        QD_GENERATOR(Gamma, "Gamma", positive, 2.0, 1.0),
        QD_GENERATOR(Lognormal, "Lognormal", positive, 0.0, 1.0),
        QD_GENERATOR(StudentT, "StudentT", any, 3.0, 0.0, 1.0),
        QD_GENERATOR(VonMises, "VonMises", [](double v) { return std::fabs(v) <= 3.14159266; }, 1.0),
        QD_GENERATOR(Weibull, "Weibull", positive, 2.0, 1.0),
        QD_GENERATOR(Uniform, "Uniform", [](double v) { return v >= -1.0 && v <= 3.0; }, -1.0, 3.0),
        QD_GENERATOR(UniformDiscrete, "UniformDiscrete", [](double v) { return isInteger(v) && v >= 2 && v <= 7; },
                     2, 7),
        QD_GENERATOR(Triangular, "Triangular", [](double v) { return v >= 1.0 && v <= 4.0; }, 1.0, 2.0, 4.0),
    };
#undef QD_GENERATOR
}

SAFEARRAY* doubles(const std::vector<double>& values)
{
    SAFEARRAY* a = SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(values.size()));
    for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i) SafeArrayPutElement(a, &i, const_cast<double*>(&values[i]));
    return a;
}

// A VARIANT owning an array of doubles.
struct ArrayArgument {
    VARIANT v;
    explicit ArrayArgument(const std::vector<double>& values)
    {
        VariantInit(&v);
        v.vt = VT_ARRAY | VT_R8;
        v.parray = doubles(values);
    }
    ~ArrayArgument() { VariantClear(&v); }
};

const double kIntermittent[] = {0, 3, 0, 0, 7, 0, 2, 0, 0, 5, 0, 1, 0, 0, 4, 0};

double logistic(int k)
{
    return 10.0 + 90.0 / (1.0 + std::exp(3.0 - 0.8 * k));
}

}  // namespace

class ExtensionMembersTest : public ComTest {
protected:
    void series(Ref<ISeriesX>& s, Ref<ISeriesXEx1>& ex, const std::vector<double>& values)
    {
        create(CLSID_SeriesX, IID_ISeriesX, s);
        for (double v : values) ASSERT_EQ(S_OK, s->AddObservation(v, nullptr, 1));
        ASSERT_EQ(S_OK, s->get_Extension1(ex.put()));
    }
};

TEST_F(ExtensionMembersTest, EveryGeneratorAppendsItsValuesToASeriesEvenWithoutObservations)
{
    for (const Generator& g : generators()) {
        SCOPED_TRACE(g.label);
        Ref<ISeriesX> s;
        Ref<ISeriesXEx1> ex;
        series(s, ex, {});
        ASSERT_EQ(S_OK, g.call(ex.get(), 40));
        ASSERT_EQ(40, count(s.get()));
        for (LONG i = 0; i < 40; ++i) {
            EXPECT_TRUE(g.inSupport(valueAt(s.get(), i))) << i << ": " << valueAt(s.get(), i);
        }
        EXPECT_EQ(g.description, descriptionAt(s.get(), 39));
        // Every drawn value is a computed observation.
        LONG computed = -1;
        EXPECT_EQ(S_OK, s->get_NumObservationsByOriginType(2, &computed));
        EXPECT_EQ(40, computed);
        // A second call appends after the first.
        ASSERT_EQ(S_OK, g.call(ex.get(), 5));
        EXPECT_EQ(45, count(s.get()));
    }
}

TEST_F(ExtensionMembersTest, EveryGeneratorFillsEverySeriesOfAMatrixOfAnyShape)
{
    for (const Generator& g : generators()) {
        SCOPED_TRACE(g.label);
        Ref<IMatrixX> m;
        create(CLSID_MatrixX, IID_IMatrixX, m);
        for (LONG k = 0; k < 10; ++k) ASSERT_EQ(S_OK, m->AddObservation(0, 1.0, nullptr, 1));
        for (LONG k = 0; k < 12; ++k) ASSERT_EQ(S_OK, m->AddObservation(1, 2.0, nullptr, 1));
        Ref<IMatrixXEx1> ex;
        ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
        ASSERT_EQ(S_OK, g.matrixCall(ex.get(), 3));
        Ref<ISeriesX> s0, s1;
        ASSERT_EQ(S_OK, m->get_Series(0, s0.put()));
        ASSERT_EQ(S_OK, m->get_Series(1, s1.put()));
        EXPECT_EQ(13, count(s0.get()));
        EXPECT_EQ(15, count(s1.get()));
        EXPECT_TRUE(g.inSupport(valueAt(s1.get(), 14)));
        // A series-level statistic refuses the same matrix.
        EXPECT_REPORTED(2000, ex->CalculateFourier(-2, -1));
    }
}

TEST_F(ExtensionMembersTest, AGeneratorRefusesItsParametersBeforeAppending)
{
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    series(s, ex, {1.0, 2.0});
    EXPECT_REPORTED(3119, ex->GenerateRandomNormal(0, 0.0, 1.0));
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(QD_E_REPORTED, ex->GenerateRandomNormal(3, 0.0, std::nan("")));
    const ErrorReport report = lastError();
    EXPECT_EQ(3120, reportedCode(report));
    EXPECT_EQ(L"Libraries\\SeriesCompute\\SeriesGenerateRandomNormal", reportedFile(report));
    EXPECT_EQ(2, count(s.get()));

    Ref<ISeriesXEx1> alone;
    create(CLSID_SeriesXEx1, IID_ISeriesXEx1, alone);
    EXPECT_REPORTED(3128, alone->GenerateRandomUniform(3, 0.0, 1.0));
    Ref<IMatrixXEx1> matrixAlone;
    create(CLSID_MatrixXEx1, IID_IMatrixXEx1, matrixAlone);
    EXPECT_REPORTED(3128, matrixAlone->GenerateRandomUniform(3, 0.0, 1.0));
}

// Every real generator with hostile parameters: each call either appends
// only finite values (S_OK) or appends nothing and reports one of the
// generator's own codes, never an unforeseen failure (999) and never a
// value that is not a number.
TEST_F(ExtensionMembersTest, HostileParametersAppendFiniteValuesOrReportTheirOwnCode)
{
    const double nan = std::nan(""), inf = HUGE_VAL, big = 1.7976931348623157e308;
    const std::vector<double> hostile = {nan, inf, -inf, 0.0, -1.0, 5e-324, 1e-300, 0.3, 1.0, 2.0,
                                         1e12, 1e18, 1e20, 1e50, 1e100, 1e300, big, -big, -1e308, 1e308};
    struct Member {
        const char* label;
        std::vector<double> typical;
        std::vector<long> codes;
        std::function<HRESULT(ISeriesXEx1*, const std::vector<double>&)> call;
    };
    const Member members[] = {
        {"Normal", {0.0, 1.0}, {3120}, [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomNormal(5, a[0], a[1]); }},
        {"Beta", {2.0, 3.0}, {3131, 3132}, [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomBeta(5, a[0], a[1]); }},
        {"ChiSquared", {3.0}, {3133}, [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomChiSquared(5, a[0]); }},
        {"Exponential", {2.0}, {3120}, [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomExponential(5, a[0]); }},
        {"ExponentialMix", {2.0, 1.0, 0.5}, {3134, 3135, 3136},
         [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomExponentialMix(5, a[0], a[1], a[2]); }},
        {"Gamma", {2.0, 1.0}, {3137, 3138}, [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomGamma(5, a[0], a[1]); }},
        {"Lognormal", {0.0, 1.0}, {3120}, [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomLognormal(5, a[0], a[1]); }},
        {"StudentT", {3.0, 0.0, 1.0}, {3139, 3120},
         [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomStudentT(5, a[0], a[1], a[2]); }},
        {"VonMises", {1.0}, {3140}, [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomVonMises(5, a[0]); }},
        {"Weibull", {2.0, 1.0}, {3141, 3142}, [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomWeibull(5, a[0], a[1]); }},
        {"Uniform", {0.0, 1.0}, {3143}, [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomUniform(5, a[0], a[1]); }},
        {"Triangular", {0.0, 0.5, 1.0}, {3144},
         [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomTriangular(5, a[0], a[1], a[2]); }},
        {"NegativeBinomial", {10.0, 0.5}, {3129, 3122},
         [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomNegativeBinomial(5, a[0], a[1]); }},
        {"Poisson", {3.0}, {3130}, [](ISeriesXEx1* x, const std::vector<double>& a) { return x->GenerateRandomPoisson(5, a[0]); }},
    };
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    series(s, ex, {});
    auto run = [&](const Member& m, const std::vector<double>& a) {
        std::string label = m.label;
        for (double v : a) label += " " + std::to_string(v);
        const LONG before = count(s.get());
        SetErrorInfo(0, nullptr);
        const HRESULT hr = m.call(ex.get(), a);
        if (hr == S_OK) {
            ASSERT_EQ(before + 5, count(s.get())) << label;
            for (LONG i = before; i < before + 5; ++i) EXPECT_TRUE(std::isfinite(valueAt(s.get(), i))) << label;
            return;
        }
        EXPECT_EQ(QD_E_REPORTED, hr) << label;
        const long code = reportedCode(lastError());
        bool own = false;
        for (long c : m.codes) own = own || c == code;
        EXPECT_TRUE(own) << label << ": " << code;
        EXPECT_EQ(before, count(s.get())) << label;
    };
    for (const Member& m : members) {
        for (std::size_t j = 0; j < m.typical.size(); ++j)
            for (double h : hostile) {
                std::vector<double> a = m.typical;
                a[j] = h;
                run(m, a);
            }
        for (double h : hostile) run(m, std::vector<double>(m.typical.size(), h));
    }
    // The reported cases, with the values they must give now.
    ASSERT_EQ(S_OK, ex->GenerateRandomUniform(3, -1e308, 1e308));
    ASSERT_EQ(S_OK, ex->GenerateRandomTriangular(3, -1e308, 0.0, 1e308));
    ASSERT_EQ(S_OK, ex->GenerateRandomGamma(3, 1e50, 1.0));
    ASSERT_EQ(S_OK, ex->GenerateRandomChiSquared(3, 1e100));
    const LONG n = count(s.get());
    for (LONG i = n - 12; i < n - 6; ++i) {
        EXPECT_TRUE(std::fabs(valueAt(s.get(), i)) <= 1e308) << i;
    }
    for (LONG i = n - 6; i < n - 3; ++i) EXPECT_EQ(1e50, valueAt(s.get(), i));
    for (LONG i = n - 3; i < n; ++i) EXPECT_EQ(1e100, valueAt(s.get(), i));
    EXPECT_REPORTED(3133, ex->GenerateRandomChiSquared(3, 5e-324));
    EXPECT_REPORTED(3131, ex->GenerateRandomBeta(5, 1e18, 2.0));
    ASSERT_EQ(S_OK, ex->GenerateRandomBeta(1, 2.0, big));
    EXPECT_EQ(std::ldexp(1.0, -53), valueAt(s.get(), count(s.get()) - 1));
}

TEST_F(ExtensionMembersTest, TheThreeCurvesDifferOnlyInTheirCurve)
{
    struct Curve {
        const char* label;
        HRESULT (STDMETHODCALLTYPE ISeriesXEx1::*member)(LONG, LONG, LONG, double, double, short);
        short method;
    };
    const Curve curves[] = {
        {"Gompertz", &ISeriesXEx1::ForecastGompertzCurve, 25},
        {"logistic", &ISeriesXEx1::ForecastLogisticCurve, 26},
        {"probit", &ISeriesXEx1::ForecastProbitCurve, 27},
    };
    for (const Curve& c : curves) {
        SCOPED_TRACE(c.label);
        std::vector<double> values;
        for (int k = 0; k < 12; ++k) values.push_back(logistic(k));
        Ref<ISeriesX> s;
        Ref<ISeriesXEx1> ex;
        series(s, ex, values);
        ASSERT_EQ(S_OK, ((ex.get())->*(c.member))(-2, -1, 2, 10.0, 100.0, 1));
        EXPECT_EQ(c.method, methodOf(s.get()));
        EXPECT_EQ(14, count(s.get()));
        if (c.method == 26) {
            // Exact logistic data: the forecasts continue the curve.
            double forecast = 0.0;
            EXPECT_EQ(S_OK, s->get_StatValueObs(13, 29, &forecast));
            EXPECT_NEAR(logistic(13), forecast, 1e-9 * logistic(13));
        }
    }
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (LONG k = 0; k < 2; ++k)
        for (int j = 0; j < 12; ++j) ASSERT_EQ(S_OK, m->AddObservation(k, logistic(j) * (k + 1), nullptr, 1));
    Ref<IMatrixXEx1> ex;
    ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
    ASSERT_EQ(S_OK, ex->ForecastProbitCurve(-2, -1, 1, -3.0, -3.0, 2));
    for (LONG k = 0; k < 2; ++k) {
        Ref<ISeriesX> s;
        ASSERT_EQ(S_OK, m->get_Series(k, s.put()));
        EXPECT_EQ(27, methodOf(s.get()));
        EXPECT_EQ(13, count(s.get()));
    }
}

TEST_F(ExtensionMembersTest, HoltWintersWithZeroDemandChecksItsIndexesFirst)
{
    // On a series without observations: (level + h trend) x index.
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    series(s, ex, {});
    {
        ArrayArgument indexes({0.5, 1.5, 1.0});
        ASSERT_EQ(S_OK, ex->ForecastHoltWintersZeroDemand(-1, 3, 4, 0.0, 0.0, 0.0, 2, 10.0, 2.0, indexes.v));
    }
    ASSERT_EQ(4, count(s.get()));
    const double expected[] = {12.0 * 0.5, 14.0 * 1.5, 16.0 * 1.0, 18.0 * 0.5};
    for (LONG i = 0; i < 4; ++i) EXPECT_EQ(expected[i], valueAt(s.get(), i)) << i;

    // Variant cells from a script, through a reference, are read alike.
    Ref<ISeriesX> t;
    Ref<ISeriesXEx1> tex;
    series(t, tex, {});
    {
        SAFEARRAY* cells = SafeArrayCreateVector(VT_VARIANT, 0, 3);
        const double given[] = {0.5, 1.5, 1.0};
        for (LONG i = 0; i < 3; ++i) {
            VARIANT cell;
            VariantInit(&cell);
            cell.vt = VT_R8;
            cell.dblVal = given[i];
            SafeArrayPutElement(cells, &i, &cell);
        }
        VARIANT held;
        VariantInit(&held);
        held.vt = VT_ARRAY | VT_VARIANT;
        held.parray = cells;
        VARIANT reference;
        VariantInit(&reference);
        reference.vt = VT_BYREF | VT_VARIANT;
        reference.pvarVal = &held;
        ASSERT_EQ(S_OK, tex->ForecastHoltWintersZeroDemand(-1, 3, 4, 0.0, 0.0, 0.0, 2, 10.0, 2.0, reference));
        VariantClear(&held);
    }
    ASSERT_EQ(4, count(t.get()));
    EXPECT_EQ(valueAt(s.get(), 3), valueAt(t.get(), 3));

    // The array is checked before the binding: wrong type 3160, wrong
    // length 3161, also on an unbound object; a good array there is 3128.
    Ref<ISeriesXEx1> alone;
    create(CLSID_SeriesXEx1, IID_ISeriesXEx1, alone);
    Ref<IMatrixXEx1> matrixAlone;
    create(CLSID_MatrixXEx1, IID_IMatrixXEx1, matrixAlone);
    ArrayArgument two({1.0, 1.0});
    ArrayArgument twelve(std::vector<double>(12, 1.0));
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"1");
    EXPECT_REPORTED(3160, alone->ForecastHoltWintersZeroDemand(-2, 12, 1, 0.0, 0.0, 0.0, 2, 0.0, 0.0, text));
    EXPECT_REPORTED(3161, alone->ForecastHoltWintersZeroDemand(-2, 12, 1, 0.0, 0.0, 0.0, 2, 0.0, 0.0, two.v));
    EXPECT_REPORTED(3128, alone->ForecastHoltWintersZeroDemand(-2, 12, 1, 0.0, 0.0, 0.0, 2, 0.0, 0.0, twelve.v));
    EXPECT_REPORTED(3161, matrixAlone->ForecastHoltWintersZeroDemand(-2, 12, 1, 0.0, 0.0, 0.0, 2, 0.0, 0.0, two.v));
    EXPECT_REPORTED(3128,
                    matrixAlone->ForecastHoltWintersZeroDemand(-2, 12, 1, 0.0, 0.0, 0.0, 2, 0.0, 0.0, twelve.v));
    VariantClear(&text);

    // The matrix gives every series the same indexes, whatever its length.
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    ASSERT_EQ(S_OK, m->AddObservation(0, 5.0, nullptr, 1));
    for (int j = 0; j < 3; ++j) ASSERT_EQ(S_OK, m->AddObservation(1, 5.0, nullptr, 1));
    Ref<IMatrixXEx1> mex;
    ASSERT_EQ(S_OK, m->get_Extension1(mex.put()));
    ArrayArgument indexes({0.5, 1.5, 1.0});
    ASSERT_EQ(S_OK, mex->ForecastHoltWintersZeroDemand(-2, 3, 2, 0.0, 0.0, 0.0, 2, 10.0, 0.0, indexes.v));
    for (LONG k = 0; k < 2; ++k) {
        Ref<ISeriesX> one;
        ASSERT_EQ(S_OK, m->get_Series(k, one.put()));
        EXPECT_EQ(k == 0 ? 3 : 5, count(one.get()));
    }
}

TEST_F(ExtensionMembersTest, SlowMovingDemandOfASeriesAndOfAMatrix)
{
    std::vector<double> values(std::begin(kIntermittent), std::end(kIntermittent));
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    series(s, ex, values);
    ASSERT_EQ(S_OK, ex->ForecastSlowMovingDemand(0, 1, QD_SLOWMETHOD_IDX_SEASONAL, -1, 1, 1.0, 0.25, 3.0,
                                                 QD_SLOWMETHOD_NUMSIM_FIXED, 100, 5.0, QD_SLOWMETHOD_EVENTREPL_YES,
                                                 2019, 1, QD_SLOWMETHOD_BASEFCST_SAME, 2019,
                                                 QD_SLOWMETHOD_SLAS_PERTOTAL, 2.0, 0.875,
                                                 QD_SLOWMETHOD_HIST_SLAS_AMOUNT));
    EXPECT_EQ(35, methodOf(s.get()));
    EXPECT_EQ(17, count(s.get()));
    double safety = -1.0;
    EXPECT_EQ(S_OK, s->get_Statistic(2082, &safety));
    EXPECT_GT(safety, 0.0);

    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (LONG k = 0; k < 2; ++k)
        for (double v : values) ASSERT_EQ(S_OK, m->AddObservation(k, v * (k + 1), nullptr, 1));
    Ref<IMatrixXEx1> mex;
    ASSERT_EQ(S_OK, m->get_Extension1(mex.put()));
    ASSERT_EQ(S_OK, mex->ForecastSlowMovingDemand(0, 2, QD_SLOWMETHOD_IDX_SEASONAL, -1, 1, 1.0, 0.25, 3.0,
                                                  QD_SLOWMETHOD_NUMSIM_FIXED, 100, 5.0, QD_SLOWMETHOD_EVENTREPL_YES,
                                                  2019, 1, QD_SLOWMETHOD_BASEFCST_SAME, 2019,
                                                  QD_SLOWMETHOD_SLAS_PERTOTAL, 2.0, 0.875,
                                                  QD_SLOWMETHOD_HIST_SLAS_AMOUNT));
    for (LONG k = 0; k < 2; ++k) {
        Ref<ISeriesX> one;
        ASSERT_EQ(S_OK, m->get_Series(k, one.put()));
        EXPECT_EQ(35, methodOf(one.get()));
        EXPECT_EQ(18, count(one.get()));
    }
}

TEST_F(ExtensionMembersTest, NonSteadyCurveAgainstTheIndependentSeries)
{
    // Cumulative distribution as the independent series, an exact logistic
    // in it as the dependent one.
    const double x[] = {0.5, 1.0, 2.0, 2.5, 3.5, 5.0, 5.5, 6.0, 7.5, 8.0, 9.0, 11.0};
    auto curve = [](double v) { return 10.0 + 90.0 / (1.0 + std::exp(3.0 - 0.8 * v)); };
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (int j = 0; j < 10; ++j) ASSERT_EQ(S_OK, m->AddObservation(0, curve(x[j]), nullptr, 1));
    for (double v : x) ASSERT_EQ(S_OK, m->AddObservation(1, v, nullptr, 1));
    Ref<ISeriesX> y, independent;
    ASSERT_EQ(S_OK, m->get_Series(0, y.put()));
    ASSERT_EQ(S_OK, m->get_Series(1, independent.put()));
    ASSERT_EQ(S_OK, y->put_DependenceType(QD_DEPENDENT));
    ASSERT_EQ(S_OK, independent->put_DependenceType(QD_INDEPENDENT));
    Ref<IMatrixXEx1> ex;
    ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
    ASSERT_EQ(S_OK, ex->ForecastNonSteadyNewProduct(-2, -1, 2, 10.0, 100.0, 1, 2));
    ASSERT_EQ(12, count(y.get()));
    double forecast = 0.0;
    EXPECT_EQ(S_OK, y->get_StatValueObs(11, 29, &forecast));
    EXPECT_NEAR(curve(x[11]), forecast, 1e-9 * curve(x[11]));
    short method = 0;
    EXPECT_EQ(S_OK, m->get_ForecastMethodNumber(&method));
    EXPECT_EQ(26, method);
    // Without a dependent series: the compute class's own code.
    ASSERT_EQ(S_OK, y->put_DependenceType(0));
    EXPECT_REPORTED(3094, ex->ForecastNonSteadyNewProduct(-2, -1, 1, -3.0, -3.0, 2, -3));
}

// A bin count no process can hold fails as out of memory (code 3) through
// every histogram member and leaves the last histogram as it was.
TEST_F(ExtensionMembersTest, AHugeBinCountIsOutOfMemoryAndChangesNothing)
{
    const std::vector<double> values = {3, 1, 4, 1, 5, 9, 2, 6, 5};
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    series(s, ex, values);
    ASSERT_EQ(S_OK, ex->CalculateHistogram(-2, -1, -1, 4));
    const LONG huge = 0x7fffffff;
    EXPECT_REPORTED(3, ex->CalculateHistogram(-2, -1, -1, huge));
    EXPECT_REPORTED(3, ex->CalculateHistogramByMinMax(-2, -1, -1, huge, 0.0, 10.0));
    double bins = 0.0, first = 0.0;
    EXPECT_EQ(S_OK, s->get_Statistic(2068, &bins));
    EXPECT_EQ(4.0, bins);
    EXPECT_EQ(S_OK, s->get_StatValueSeries(4013, 0, &first));
    EXPECT_EQ(4.0, first);
    LONG stored = 0;
    EXPECT_EQ(S_OK, s->get_NumStatistics(4013, &stored));
    EXPECT_EQ(4, stored);

    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (double v : values) ASSERT_EQ(S_OK, m->AddObservation(0, v, nullptr, 1));
    Ref<IMatrixXEx1> mex;
    ASSERT_EQ(S_OK, m->get_Extension1(mex.put()));
    EXPECT_REPORTED(3, mex->CalculateHistogram(-2, -1, -1, huge));
    EXPECT_REPORTED(3, mex->CalculateHistogramByMinMax(-2, -1, -1, huge, 0.0, 10.0));
    Ref<ISeriesX> only;
    ASSERT_EQ(S_OK, m->get_Series(0, only.put()));
    EXPECT_EQ(S_OK, only->get_NumStatistics(4013, &stored));
    EXPECT_EQ(0, stored);
}

namespace {

// One computing member of an extension, called with arguments that would
// be valid on data.
template <class Extension>
struct Computation {
    const char* label;
    std::function<HRESULT(Extension*)> call;
};

// The members both extensions have under one name.
template <class X>
std::vector<Computation<X>> sharedComputations()
{
    return {
        {"CalculateFourier", [](X* x) { return x->CalculateFourier(-2, -1); }},
        {"CalculateHistogram", [](X* x) { return x->CalculateHistogram(-2, -1, -1, 4); }},
        {"CalculateHistogramByMinMax", [](X* x) { return x->CalculateHistogramByMinMax(-2, -1, -1, 4, 0.0, 10.0); }},
        {"ForecastAverage", [](X* x) { return x->ForecastAverage(-2, -1, 1); }},
        {"CalculateSafetyStockEx", [](X* x) { return x->CalculateSafetyStockEx(-2, -1, 2.0, 0.75, QD_SERIES_LEVEL, 1, 1); }},
        {"CalculateChiSquare", [](X* x) { return x->CalculateChiSquare(-2, -1, -3, 1); }},
        {"CalculateCochraneOrcutt", [](X* x) { return x->CalculateCochraneOrcutt(-2, -1); }},
        {"ForecastBassModel", [](X* x) { return x->ForecastBassModel(-2, -1, 1, 0.03, 0.38, 100.0); }},
        {"CalculateRollingMAPE", [](X* x) { return x->CalculateRollingMAPE(-2, -1); }},
        {"CalculateCumulativeMAPE", [](X* x) { return x->CalculateCumulativeMAPE(-2, -1); }},
        {"indexDecompositionCreate", [](X* x) { return x->indexDecompositionCreate(-2, -1, 2); }},
        {"indexDecompositionApply", [](X* x) { return x->indexDecompositionApply(-2, -1, 2); }},
        {"CalculateStandardizedMAE", [](X* x) { return x->CalculateStandardizedMAE(-2, -1); }},
        {"ForecastLaggedForecast", [](X* x) { return x->ForecastLaggedForecast(0, 1, 1); }},
        {"ForecastGompertzCurve", [](X* x) { return x->ForecastGompertzCurve(-2, -1, 1, -3.0, -3.0, 2); }},
        {"ForecastLogisticCurve", [](X* x) { return x->ForecastLogisticCurve(-2, -1, 1, -3.0, -3.0, 2); }},
        {"ForecastProbitCurve", [](X* x) { return x->ForecastProbitCurve(-2, -1, 1, -3.0, -3.0, 2); }},
        {"ForecastSlowMovingDemand",
         [](X* x) {
             return x->ForecastSlowMovingDemand(0, 1, QD_SLOWMETHOD_IDX_SEASONAL, -1, 1, 1.0, 0.25, 3.0,
                                                QD_SLOWMETHOD_NUMSIM_FIXED, 100, 5.0, QD_SLOWMETHOD_EVENTREPL_YES, 2019,
                                                1, QD_SLOWMETHOD_BASEFCST_SAME, 2019, QD_SLOWMETHOD_SLAS_PERTOTAL, 2.0,
                                                0.875, QD_SLOWMETHOD_HIST_SLAS_AMOUNT);
         }},
    };
}

// The computations of a series extension; the forecasts with given final
// values are not among them (they run even without observations).
std::vector<Computation<ISeriesXEx1>> seriesComputations()
{
    typedef ISeriesXEx1 X;
    std::vector<Computation<X>> all = sharedComputations<X>();
    all.push_back({"ForecastLinearRegressionEx", [](X* x) { return x->ForecastLinearRegressionEx(-2, -1, 1, 1, 0.0); }});
    all.push_back({"CalculateSeviceLevelEx",
                   [](X* x) { return x->CalculateSeviceLevelEx(-2, -1, 2.0, 1000.0, QD_SERIES_LEVEL, 1, 1); }});
    return all;
}

std::vector<Computation<IMatrixXEx1>> matrixComputations()
{
    typedef IMatrixXEx1 X;
    std::vector<Computation<X>> all = sharedComputations<X>();
    const std::vector<Computation<X>> own = {
        {"ForecastLinearRegression", [](X* x) { return x->ForecastLinearRegression(-2, -1, 1, 1, 0.0); }},
        {"CalculateServiceLevelEx",
         [](X* x) { return x->CalculateServiceLevelEx(-2, -1, 2.0, 1000.0, QD_SERIES_LEVEL, 1, 1); }},
        {"ForecastNonSteadyNewProduct",
         [](X* x) { return x->ForecastNonSteadyNewProduct(-2, -1, 1, -3.0, -3.0, 2, -3); }},
        {"ForecastMultipleRegressionEx", [](X* x) { return x->ForecastMultipleRegressionEx(-2, -1, 1, 0, 0.0, 0, 0, 0); }},
        {"ForecastPolynomialRegressionEx",
         [](X* x) { return x->ForecastPolynomialRegressionEx(-2, -1, -3, 4.0, 0.0, 0.0, 1, 0, 0.0, 0, 0, 0); }},
        {"ForecastStepwiseEx",
         [](X* x) { return x->ForecastStepwiseEx(-2, -1, 2, -3, -3, 4.0, 3.0, 0, 0, 0, 1, 0, 0.0, 0, 0, 0); }},
        {"CalculateForecastRank", [](X* x) { return x->CalculateForecastRank(-2, -1, 2024); }},
        {"SelvaneMultipleMethod",
         [](X* x) {
             SAFEARRAY* methods = SafeArrayCreateVector(VT_I4, 0, 1);
             static_cast<LONG*>(methods->pvData)[0] = 5;
             VARIANT list;
             VariantInit(&list);
             list.vt = VT_ARRAY | VT_I4;
             list.parray = methods;
             const HRESULT hr = x->SelvaneMultipleMethod(0, 1, 2024, 0, 0, list);
             VariantClear(&list);
             return hr;
         }},
        // On a matrix these run over the series there are: none here.
        {"ForecastHoltWintersZeroDemand",
         [](X* x) {
             ArrayArgument indexes({1.0, 1.0});
             return x->ForecastHoltWintersZeroDemand(-2, 2, 1, 0.0, 0.0, 0.0, 2, 1.0, 0.0, indexes.v);
         }},
        {"ForecastExponentialSmoothingZeroDemand",
         [](X* x) { return x->ForecastExponentialSmoothingZeroDemand(-2, 0.0, 1, 1.0); }},
        {"ForecastLinearRegressionZeroDemand",
         [](X* x) { return x->ForecastLinearRegressionZeroDemand(-2, 0, 1, 1.0, 1.0); }},
    };
    all.insert(all.end(), own.begin(), own.end());
    return all;
}

}  // namespace

// A computation on a series without observations, or on a matrix without
// series, computes nothing and answers S_OK; only the forecasts with given
// final values (and the generators) also run on a series without
// observations.
TEST_F(ExtensionMembersTest, EveryComputationOfAnEmptySeriesOrMatrixAnswersSOk)
{
    for (const Computation<ISeriesXEx1>& c : seriesComputations()) {
        SCOPED_TRACE(c.label);
        Ref<ISeriesX> s;
        Ref<ISeriesXEx1> ex;
        series(s, ex, {});
        EXPECT_EQ(S_OK, c.call(ex.get()));
        EXPECT_EQ(0, count(s.get()));
        EXPECT_EQ(-1, methodOf(s.get()));
        LONG stored = -1;
        EXPECT_EQ(S_OK, s->get_NumStatistics(-1, &stored));
        EXPECT_EQ(0, stored);
    }
    for (const Computation<IMatrixXEx1>& c : matrixComputations()) {
        SCOPED_TRACE(c.label);
        Ref<IMatrixX> m;
        create(CLSID_MatrixX, IID_IMatrixX, m);
        Ref<IMatrixXEx1> ex;
        ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
        EXPECT_EQ(S_OK, c.call(ex.get()));
        LONG n = -1;
        EXPECT_EQ(S_OK, m->get_NumSeries(&n));
        EXPECT_EQ(0, n);
    }
}

// The forecasts with given final values reach their compute class on a
// series without observations: the exponential smoothing repeats the final
// level, the linear regression continues intercept + slope x index.
TEST_F(ExtensionMembersTest, ZeroDemandForecastsRunOnASeriesWithoutObservations)
{
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    series(s, ex, {});
    ASSERT_EQ(S_OK, ex->ForecastExponentialSmoothingZeroDemand(-2, 0.0, 3, 42.5));
    ASSERT_EQ(3, count(s.get()));
    for (LONG i = 0; i < 3; ++i) EXPECT_EQ(42.5, valueAt(s.get(), i)) << i;
    EXPECT_EQ(5, methodOf(s.get()));

    Ref<ISeriesX> t;
    Ref<ISeriesXEx1> tex;
    series(t, tex, {});
    ASSERT_EQ(S_OK, tex->ForecastLinearRegressionZeroDemand(-2, 0, 4, 3.0, 1.0));
    ASSERT_EQ(4, count(t.get()));
    for (LONG i = 0; i < 4; ++i) EXPECT_EQ(1.0 + 3.0 * i, valueAt(t.get(), i)) << i;
    double slope = 0.0;
    EXPECT_EQ(S_OK, t->get_Statistic(QD_LINEAR_REGRESSION_SLOPE, &slope));
    EXPECT_EQ(3.0, slope);

    // The parameters still go to the compute class: a negative number of
    // periods is refused and nothing is appended.
    Ref<ISeriesX> u;
    Ref<ISeriesXEx1> uex;
    series(u, uex, {});
    EXPECT_EQ(QD_E_REPORTED, uex->ForecastExponentialSmoothingZeroDemand(-2, 0.0, -1, 1.0));
    EXPECT_EQ(QD_E_REPORTED, uex->ForecastLinearRegressionZeroDemand(-2, 0, -1, 1.0, 1.0));
    EXPECT_EQ(0, count(u.get()));
}

// Part of the regression readings: several series of dependence type
// dependent are refused with 3017 by the regressions themselves (and by
// their fallback), through MatrixX and MatrixXEx1 alike, and no method is
// recorded; with exactly one, both record method 11 on the matrix and on
// that series.
TEST_F(ExtensionMembersTest, SeveralDependentSeriesAreRefusedWith3017)
{
    auto build = [this](Ref<IMatrixX>& m, int dependents) {
        create(CLSID_MatrixX, IID_IMatrixX, m);
        for (LONG k = 0; k < 3; ++k)
            for (int j = 0; j < 8; ++j)
                ASSERT_EQ(S_OK, m->AddObservation(k, 1.0 + j * (k + 1.0) + ((j * (k + 2)) % 3), nullptr, 1));
        for (LONG k = 0; k < 3; ++k) {
            Ref<ISeriesX> one;
            ASSERT_EQ(S_OK, m->get_Series(k, one.put()));
            ASSERT_EQ(S_OK, one->put_DependenceType(k < dependents ? QD_DEPENDENT : QD_INDEPENDENT));
        }
    };
    auto matrixMethod = [](IMatrixX* m) {
        short method = 0;
        EXPECT_EQ(S_OK, m->get_ForecastMethodNumber(&method));
        return method;
    };
    auto seriesMethod = [](IMatrixX* m, LONG k) {
        Ref<ISeriesX> one;
        EXPECT_EQ(S_OK, m->get_Series(k, one.put()));
        return methodOf(one.get());
    };
    {
        Ref<IMatrixX> m;
        build(m, 2);
        EXPECT_REPORTED(3017, m->ForecastMultipleRegression(-2, -1));
        EXPECT_EQ(-1, matrixMethod(m.get()));
        Ref<IMatrixXEx1> ex;
        ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
        EXPECT_REPORTED(3017, ex->ForecastMultipleRegressionEx(-2, -1, 1, 0, 0.0, 0, 0, 0));
        EXPECT_EQ(-1, matrixMethod(m.get()));
        EXPECT_EQ(-1, seriesMethod(m.get(), 0));
        EXPECT_EQ(-1, seriesMethod(m.get(), 1));
    }
    {
        Ref<IMatrixX> m;
        build(m, 1);
        ASSERT_EQ(S_OK, m->ForecastMultipleRegression(-2, -1));
        EXPECT_EQ(11, matrixMethod(m.get()));
        EXPECT_EQ(11, seriesMethod(m.get(), 0));
        EXPECT_EQ(-1, seriesMethod(m.get(), 1));
    }
    {
        Ref<IMatrixX> m;
        build(m, 1);
        Ref<IMatrixXEx1> ex;
        ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
        ASSERT_EQ(S_OK, ex->ForecastMultipleRegressionEx(-2, -1, 1, 0, 0.0, 0, 0, 0));
        EXPECT_EQ(11, matrixMethod(m.get()));
        EXPECT_EQ(11, seriesMethod(m.get(), 0));
        EXPECT_EQ(-1, seriesMethod(m.get(), 2));
    }
}

// The members both extensions share are written once: each still reports
// under its own class. Unbound, a computing member answers 3128 and an
// editing or array member 3, both naming the extension's own source file.
TEST_F(ExtensionMembersTest, ASharedMemberReportsUnderItsOwnClass)
{
    Ref<ISeriesXEx1> seriesAlone;
    create(CLSID_SeriesXEx1, IID_ISeriesXEx1, seriesAlone);
    Ref<IMatrixXEx1> matrixAlone;
    create(CLSID_MatrixXEx1, IID_IMatrixXEx1, matrixAlone);
    struct Case {
        const char* name;
        long code;
        std::function<HRESULT(ISeriesXEx1*)> onSeries;
        std::function<HRESULT(IMatrixXEx1*)> onMatrix;
    };
    VARIANT out;
    VariantInit(&out);
    VARIANT none;
    VariantInit(&none);
    const Case cases[] = {
        {"Fourier", 3128, [](ISeriesXEx1* e) { return e->CalculateFourier(-2, -1); },
         [](IMatrixXEx1* e) { return e->CalculateFourier(-2, -1); }},
        {"Average", 3128, [](ISeriesXEx1* e) { return e->ForecastAverage(-2, -1, 1); },
         [](IMatrixXEx1* e) { return e->ForecastAverage(-2, -1, 1); }},
        {"smoothing with a final level", 3128,
         [](ISeriesXEx1* e) { return e->ForecastExponentialSmoothingZeroDemand(-2, 0.5, 1, 1.0); },
         [](IMatrixXEx1* e) { return e->ForecastExponentialSmoothingZeroDemand(-2, 0.5, 1, 1.0); }},
        {"uniform", 3128, [](ISeriesXEx1* e) { return e->GenerateRandomUniform(2, 0.0, 1.0); },
         [](IMatrixXEx1* e) { return e->GenerateRandomUniform(2, 0.0, 1.0); }},
        {"service level", 3128,
         [](ISeriesXEx1* e) { return e->CalculateSeviceLevelEx(-2, -1, 2.0, 10.0, XCalcLevel(2), 1, 1); },
         [](IMatrixXEx1* e) { return e->CalculateServiceLevelEx(-2, -1, 2.0, 10.0, XCalcLevel(2), 1, 1); }},
        {"linear regression", 3128, [](ISeriesXEx1* e) { return e->ForecastLinearRegressionEx(-2, -1, 1, 1, 0.0); },
         [](IMatrixXEx1* e) { return e->ForecastLinearRegression(-2, -1, 1, 1, 0.0); }},
        {"range", 3, [](ISeriesXEx1* e) { return e->RangeForecast(0, 0, 0, 0.0, 0, 0.0); },
         [](IMatrixXEx1* e) { return e->RangeForecast(0, 0, 0, 0.0, 0, 0.0); }},
        {"trend", 3, [](ISeriesXEx1* e) { return e->TrendAdjust(-2, -1, 1, 1.0, 1, 1.0); },
         [](IMatrixXEx1* e) { return e->TrendAdjust(-2, -1, 1, 1.0, 1, 1.0); }},
        {"index values", 3, [&](ISeriesXEx1* e) { return e->GetIndexValuesToArray(&out); },
         [&](IMatrixXEx1* e) { return e->GetIndexValuesToArray(&out); }},
        {"observation results", 3, [&](ISeriesXEx1* e) { return e->InputObsStatByArrary(-2, -1, 29, none); },
         [&](IMatrixXEx1* e) { return e->InputObsStatByArray(-2, -1, 29, none); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(QD_E_REPORTED, c.onSeries(seriesAlone.get()));
        ErrorReport report = lastError();
        EXPECT_EQ(c.code, reportedCode(report));
        EXPECT_EQ(L"ActiveX\\QDInterface\\SeriesXEx1", reportedFile(report));
        EXPECT_EQ(QD_E_REPORTED, c.onMatrix(matrixAlone.get()));
        report = lastError();
        EXPECT_EQ(c.code, reportedCode(report));
        EXPECT_EQ(L"ActiveX\\QDInterface\\MatrixXEx1", reportedFile(report));
    }
    EXPECT_EQ(VT_EMPTY, out.vt);
}
