' A VBScript client of the statistics that only C++ clients computed: the
' extension's Fourier coefficients, histograms, safety stock and service
' level and decomposition index, the safety stock and confidence interval
' of SeriesX and MatrixX, Erlang C, Poisson staffing and the event index
' apply, the fit statistics of the extension (chi-square, Cochrane-Orcutt,
' rolling and cumulative MAPE, standardized MAE), and every random
' generator on a series without observations. The expected values are
' printed by make_script_reference.py, the fit statistics' by
' tests/MatrixCompute/make_small_statistics_reference.py (chi-square) or
' worked by hand in the comments.
Option Explicit
On Error Resume Next

Dim failures : failures = 0
Sub Fail(what)
    WScript.Echo "FAIL: " & what
    failures = failures + 1
End Sub
' Any error since the last check is a failure of the step named.
Sub NoError(what)
    If Err.Number <> 0 Then
        Fail "error at """ & what & """: 0x" & Hex(Err.Number) & " " & Err.Description
        Err.Clear
    End If
End Sub
Sub Check(condition, what)
    NoError what
    If VarType(condition) <> vbBoolean Then
        Fail what & ": not a truth value"
    ElseIf Not condition Then
        Fail what
    End If
End Sub
' |actual - expected| within tolerance times max(1, |expected|). The
' engine's t quantiles hold about eight digits: 1e-7 where they enter.
Function Near(actual, expected, tolerance)
    Dim scale : scale = Abs(expected)
    If scale < 1 Then scale = 1
    Near = Abs(actual - expected) <= tolerance * scale
End Function
Sub ExpectError(code, what)
    If Err.Number = 0 Then
        Fail what & ": no error"
    ElseIf InStr(Err.Description, "Error: " & code & vbLf) = 0 Then
        Fail what & ": " & Err.Description
    End If
    Err.Clear
End Sub

' ---- expected values (make_script_reference.py) ----
Const FOURIER_A0 = 4.0
Const FOURIER_B0 = 0.0
Const FOURIER_A1 = 0.061597510301365124
Const FOURIER_B1 = -1.9136395942881543
Const FOURIER_A2 = 0.40889386563522582
Const FOURIER_B2 = 0.80107423451245725
Const FOURIER_A3 = 2.0
Const FOURIER_B3 = -1.1547005383792515
Const FOURIER_A4 = -1.4704913759365909
Const FOURIER_B4 = -0.1720375171475173
Const STOCK_SERIES = 5.9346820617298695
Const STOCK_OBS7 = 83.40342768939787
Const STOCK_OBS8 = 85.40342768939787
Const SERVICE_SERIES = 0.90667924172113042
Const STOCK_MEMBER = 67.888853715184006
Const INTERVAL_WIDTH = 5.1406438064663843
Const DECOMP_F0 = -0.625
Const DECOMP_F1 = 3.125
Const DECOMP_F2 = -3.125
Const DECOMP_F3 = 0.625
Const ERLANGC_12_10 = 0.44938822429827087
Const ERLANGC_8_5 = 0.16726650666175661
Const POISSON_5 = 10.0
Const POISSON_20 = 29.0
Const EVENT_INDEX = 2.4065934065934066
Const EVENT_ADJUSTED5 = 13.127853881278539
Const EVENT_FORECAST6 = 33.0
Const CROSTON_02 = 5.030885380919698
' make_small_statistics_reference.py: 943/1980 with four degrees of freedom.
Const CHI_SQUARE = 0.4762626262626263
Const CHI_SQUARE_UPPER_TAIL = 0.97577029307189976823

Dim x, stock, seasonal, i, j, k, s, ex, m, mex, v, ok, t
x = Array(3, 1, 4, 1, 5, 9, 2, 6, 5)
stock = Array(20, 22, 21, 25, 24, 27, 26, 30, 29, 33, 31, 35)
seasonal = Array(10, 14, 8, 12, 11, 15, 9, 13, 12, 16, 10, 14)

' A series of the values and a matrix of the values and of twice them.
Function NewSeries(values)
    Dim t, n
    Set t = CreateObject("SeriesX.SeriesX.1")
    For n = 0 To UBound(values)
        t.AddObservation values(n)
    Next
    Set NewSeries = t
End Function
Function NewMatrix(values)
    Dim t, n
    Set t = CreateObject("MatrixX.MatrixX.1")
    For n = 0 To UBound(values)
        t.AddObservation 0, values(n)
        t.AddObservation 1, 2 * values(n)
    Next
    Set NewMatrix = t
End Function

' ---- Fourier coefficients: direct sums ----
Dim fa, fb
fa = Array(FOURIER_A0, FOURIER_A1, FOURIER_A2, FOURIER_A3, FOURIER_A4)
fb = Array(FOURIER_B0, FOURIER_B1, FOURIER_B2, FOURIER_B3, FOURIER_B4)
Set s = NewSeries(x)
Set ex = s.Extension1
ex.CalculateFourier
Check s.NumStatistics(4009) = 5 And s.NumStatistics(4010) = 5, "five pairs of Fourier coefficients"
For j = 0 To 4
    Check Near(s.StatValueSeries(4009, j), fa(j), 1e-12), "Fourier a" & j & " = " & s.StatValueSeries(4009, j)
    Check Near(s.StatValueSeries(4010, j), fb(j), 1e-12), "Fourier b" & j & " = " & s.StatValueSeries(4010, j)
Next
Set m = NewMatrix(x)
Set mex = m.Extension1
mex.CalculateFourier
For j = 0 To 4
    Check Near(m.StatValueSeries(1, 4009, j), 2 * fa(j), 1e-12), "matrix: Fourier a" & j & " of twice the values"
    Check Near(m.StatValueSeries(1, 4010, j), 2 * fb(j), 1e-12), "matrix: Fourier b" & j & " of twice the values"
Next

' ---- histograms: by the data range (edges 1, 3, 5, 7, 9, the maximum in
' the last bin) and by given bounds (edges 2, 4, 6) ----
Dim counts
ex.CalculateHistogram -2, -1, -1, 4
counts = Array(4, 3, 1, 1)
For k = 0 To 3
    Check s.StatValueSeries(4013, k) = counts(k), "histogram bin " & k & ": " & s.StatValueSeries(4013, k)
Next
Check s.Statistic(2068) = 4 And s.Statistic(2069) = 1 And s.Statistic(2070) = 2, "bins, base and step"
Check s.Statistic(2071) = 0 And s.Statistic(2072) = 0, "nothing outside the data range"
ex.CalculateHistogramByMinMax -2, -1, -1, 2, 2, 6
Check s.StatValueSeries(4013, 0) = 3 And s.StatValueSeries(4013, 1) = 3, "histogram by bounds"
Check s.Statistic(2071) = 2 And s.Statistic(2072) = 1, "two values below 2, one above 6"
ex.CalculateHistogram -2, -1, -1, 0
ExpectError 3118, "no bins"
Check s.Statistic(2068) = 2, "a refusal keeps the last histogram"
mex.CalculateHistogram -2, -1, -1, 4
For k = 0 To 3
    Check m.StatValueSeries(1, 4013, k) = counts(k), "matrix histogram bin " & k
Next
Check m.Series(1).Statistic(2069) = 2 And m.Series(1).Statistic(2070) = 4, "matrix: base 2, step 4"
mex.CalculateHistogramByMinMax -2, -1, -1, 2, 4, 12
Check m.StatValueSeries(1, 4013, 0) = 3 And m.Series(1).Statistic(2072) = 1, "matrix histogram by bounds"

' ---- safety stock and service level, the previous value as fit ----
Set s = NewSeries(stock)
Set m = NewMatrix(stock)
For i = 1 To UBound(stock)
    s.StatValueObs(i, 29) = stock(i - 1)
    m.StatValueObs(0, i, 29) = stock(i - 1)
    m.StatValueObs(1, i, 29) = 2 * stock(i - 1)
Next
NoError "storing the fits"
Set ex = s.Extension1
ex.CalculateSafetyStockEx 11, 10, 2.0, 0.9, 2, 1, 0
Check Near(s.Statistic(2066), STOCK_SERIES, 1e-7), "series-level stock " & s.Statistic(2066)
ex.CalculateSafetyStockEx 7, 7, 2.5, 0.95, 1, 2, 1
Check Near(s.StatValueObs(7, 31), STOCK_OBS7, 1e-7), "stock of period 7: " & s.StatValueObs(7, 31)
Check Near(s.StatValueObs(8, 31), STOCK_OBS8, 1e-7), "stock of period 8: " & s.StatValueObs(8, 31)
Check s.NumObservations = 12, "no period appended"
ex.CalculateSeviceLevelEx 11, 10, 1.5, 5.0, 2, 1, 0
Check Near(s.Statistic(2073), SERVICE_SERIES, 1e-7), "service level " & s.Statistic(2073)
' The matrix level stores its value as the series level does.
Set t = NewSeries(stock)
For i = 1 To UBound(stock)
    t.StatValueObs(i, 29) = stock(i - 1)
Next
t.Extension1.CalculateSafetyStockEx 11, 10, 2.0, 0.9, 3, 1, 0
Check Near(t.Statistic(2066), STOCK_SERIES, 1e-7), "stock at the matrix level " & t.Statistic(2066)
t.Extension1.CalculateSeviceLevelEx 11, 10, 1.5, 5.0, 3, 1, 0
Check Near(t.Statistic(2073), SERVICE_SERIES, 1e-7), "service level at the matrix level " & t.Statistic(2073)
ex.CalculateSafetyStockEx 11, 10, 2.0, 0.9, 4, 1, 0
ExpectError 3044, "calculation level 4"
ex.CalculateSeviceLevelEx 11, 10, 1.5, 5.0, 0, 1, 0
ExpectError 3044, "service level at calculation level 0"
Check Near(s.Statistic(2073), SERVICE_SERIES, 1e-7), "the refusals store nothing"
s.CalculateSafetyStock 8, 8, 2, 0.9
Check Near(s.Statistic(2066), STOCK_MEMBER, 1e-7), "SeriesX stock with forecasts " & s.Statistic(2066)
Set mex = m.Extension1
mex.CalculateSafetyStockEx 11, 10, 2.0, 0.9, 2, 1, 0
Check Near(m.Series(1).Statistic(2066), 2 * STOCK_SERIES, 1e-7), "matrix: stock of twice the values"
mex.CalculateServiceLevelEx 11, 10, 1.5, 10.0, 2, 1, 0
Check Near(m.Series(1).Statistic(2073), SERVICE_SERIES, 1e-7), "matrix: twice the stock, the same level"
m.CalculateSafetyStock 8, 8, 2, 0.9
Check Near(m.Series(0).Statistic(2066), STOCK_MEMBER, 1e-7), "MatrixX stock of the values"
Check Near(m.Series(1).Statistic(2066), 2 * STOCK_MEMBER, 1e-7), "MatrixX stock of twice the values"

' ---- confidence interval after smoothing with alpha 1 ----
Set s = NewSeries(stock)
s.ForecastExponentialSmoothing 0, 1.0, 3
Check s.StatValueObs(5, 29) = stock(4), "alpha 1 fits the previous value"
s.CalculateConfidenceInterval 11, 8, 0.9
For i = 12 To 14
    Check Near(s.StatValueObs(i, 23), INTERVAL_WIDTH, 1e-7), "interval at " & i & ": " & s.StatValueObs(i, 23)
Next
Set m = NewMatrix(stock)
m.ForecastExponentialSmoothing 0, 1.0, 2
m.CalculateConfidenceInterval 11, 8, 0.9
Check Near(m.StatValueObs(1, 13, 23), 2 * INTERVAL_WIDTH, 1e-7), "matrix: interval of twice the values"
s.CalculateConfidenceInterval 11, 8, 0.999
ExpectError 3088, "confidence level 0.999"

' ---- decomposition index through the extension (additive, season 4) ----
Dim decomp
decomp = Array(DECOMP_F0, DECOMP_F1, DECOMP_F2, DECOMP_F3)
Set s = NewSeries(seasonal)
s.DecompositionIndexCreate -2, -1, 4, 1
For j = 0 To 3
    Check Near(s.StatValueSeries(4004, j), decomp(j), 1e-12), "factor " & j & ": " & s.StatValueSeries(4004, j)
Next
Set ex = s.Extension1
ex.indexDecompositionCreate -2, -1, 1
Check s.SeasonalLength = 4 And s.DecompositionType = 1, "season and type from the stored indexes"
Check s.StatValueObs(11, 16) = 14, "measurement kept"
ex.indexDecompositionApply -2, -1, 3
ExpectError 3082, "apply type 3"
ex.indexDecompositionApply -2, 4, 1
ok = True
For i = 0 To 11
    v = seasonal(i)
    If i >= 8 Then v = v + decomp(i - 8)
    If Not Near(s.Value(i), v, 1e-12) Then ok = False
Next
Check ok, "the last season adjusted, the others untouched"
Set m = NewMatrix(seasonal)
m.DecompositionIndexCreate -2, -1, 4, 1
Set mex = m.Extension1
mex.indexDecompositionCreate -2, -1, 1
mex.indexDecompositionApply -2, 4, 1
Check Near(m.Value(1, 9), 32 + 2 * decomp(1), 1e-12), "matrix: twice the values, twice the factor"
Check m.Value(1, 5) = 30, "matrix: earlier values untouched"

' ---- Erlang C and Poisson staffing ----
Set m = CreateObject("MatrixX.MatrixX.1")
m.AddObservation 0, 12
m.AddObservation 0, 8
m.AddObservation 1, 10
m.AddObservation 1, 5
m.Series(0).DependenceType = 4
m.Series(1).DependenceType = 3
m.CalculateErlangC 3
Check m.NumSeries = 3, "Erlang C appends the waiting probabilities"
Check Near(m.Value(2, 0), ERLANGC_12_10, 1e-12), "C(12, 10) = " & m.Value(2, 0)
Check Near(m.Value(2, 1), ERLANGC_8_5, 1e-12), "C(8, 5) = " & m.Value(2, 1)
Check m.Series(2).DependenceType = 5, "result role P0"
Set m = CreateObject("MatrixX.MatrixX.1")
m.AddObservation 0, 5
m.AddObservation 0, 20
m.Series(0).DependenceType = 3
m.CalculateErlangPoisson 1, 0.05
Check m.Value(1, 0) = POISSON_5 And m.Value(1, 1) = POISSON_20, "Poisson servers " & m.Value(1, 0) & ", " & m.Value(1, 1)

' ---- event index: create, forecast the adjusted values, apply ----
Dim events
events = Array(10, 12, 30, 11, 13, 33)
Set m = CreateObject("MatrixX.MatrixX.1")
For i = 0 To 5
    m.AddObservation 0, events(i)
Next
For i = 0 To 6
    If i = 2 Or i = 5 Or i = 6 Then m.AddObservation 1, 1 Else m.AddObservation 1, 0
Next
m.Series(1).DependenceType = 9
m.Series(0).ForecastExponentialSmoothing 0, 1.0, 0
m.EventIndexCreate 0, 0.5
Check Near(m.StatValueSeries(0, 4003, 1), EVENT_INDEX, 1e-12), "event index " & m.StatValueSeries(0, 4003, 1)
Check Near(m.Value(0, 2), 12, 1e-12) And Near(m.Value(0, 5), EVENT_ADJUSTED5, 1e-12), "event periods adjusted"
m.Series(0).ForecastExponentialSmoothing 0, 1.0, 1
m.EventIndexApply 0
Check m.Value(0, 2) = 30 And m.Value(0, 5) = 33, "measured values back"
Check Near(m.Value(0, 6), EVENT_FORECAST6, 1e-12), "event forecast " & m.Value(0, 6)

' ---- every generator on a series without observations ----
Function Generate(e, name)
    Select Case name
    Case "Normal": e.GenerateRandomNormal 25, 5, 2
    Case "Binomial": e.GenerateRandomBinomial 25, 10, 0.5
    Case "Geometric": e.GenerateRandomGeometric 25, 0.5
    Case "HyperGeometric": e.GenerateRandomHyperGeometric 25, 10, 10, 20
    Case "Logarithmic": e.GenerateRandomLogarithmic 25, 0.5
    Case "NegativeBinomial": e.GenerateRandomNegativeBinomial 25, 10, 0.5
    Case "Poisson": e.GenerateRandomPoisson 25, 3
    Case "Beta": e.GenerateRandomBeta 25, 2, 3
    Case "Cauchy": e.GenerateRandomCauchy 25
    Case "ChiSquared": e.GenerateRandomChiSquared 25, 3
    Case "Exponential": e.GenerateRandomExponential 25, 2
    Case "ExponentialMix": e.GenerateRandomExponentialMix 25, 2, 1, 0.5
    Case "Gamma": e.GenerateRandomGamma 25, 2, 1
    Case "Lognormal": e.GenerateRandomLognormal 25, 0, 1
    Case "StudentT": e.GenerateRandomStudentT 25, 3, 0, 1
    Case "VonMises": e.GenerateRandomVonMises 25, 1
    Case "Weibull": e.GenerateRandomWeibull 25, 2, 1
    Case "Uniform": e.GenerateRandomUniform 25, -1, 3
    Case "UniformDiscrete": e.GenerateRandomUniformDiscrete 25, 2, 7
    Case "Triangular": e.GenerateRandomTriangular 25, 1, 2, 4
    End Select
End Function
Function IsWhole(value, lo, hi)
    IsWhole = (value = Int(value)) And value >= lo And value <= hi
End Function
' The support of each generator with the parameters above.
Function InSupport(name, value)
    If Not (Abs(value) < 1E300) Then
        InSupport = False
        Exit Function
    End If
    Select Case name
    Case "Normal", "Cauchy", "StudentT": InSupport = True
    Case "Binomial", "HyperGeometric": InSupport = IsWhole(value, 0, 10)
    Case "Geometric", "NegativeBinomial", "Poisson": InSupport = IsWhole(value, 0, 1E9)
    Case "Logarithmic": InSupport = IsWhole(value, 1, 1E9)
    Case "Beta": InSupport = value >= 0 And value <= 1
    Case "VonMises": InSupport = Abs(value) <= 3.14159266
    Case "Uniform": InSupport = value >= -1 And value <= 3
    Case "UniformDiscrete": InSupport = IsWhole(value, 2, 7)
    Case "Triangular": InSupport = value >= 1 And value <= 4
    Case Else: InSupport = value > 0
    End Select
End Function
Dim names, name
names = Array("Normal", "Binomial", "Geometric", "HyperGeometric", "Logarithmic", "NegativeBinomial", _
              "Poisson", "Beta", "Cauchy", "ChiSquared", "Exponential", "ExponentialMix", "Gamma", _
              "Lognormal", "StudentT", "VonMises", "Weibull", "Uniform", "UniformDiscrete", "Triangular")
For Each name In names
    Set s = CreateObject("SeriesX.SeriesX.1")
    Generate s.Extension1, name
    NoError "generating " & name
    ok = s.NumObservations = 25
    For i = 0 To s.NumObservations - 1
        If Not InSupport(name, s.Value(i)) Then ok = False
    Next
    Check ok, name & ": 25 values in the support"
Next

' ---- fit statistics of the extension, on the series and on every series
' of a matrix (the second series twice the first: the same ratios) ----
' A series of the actual values with the fitted values stored as 29, and a
' matrix of it and of twice it.
Function WithFits(actual, fitted)
    Dim t, n
    Set t = NewSeries(actual)
    For n = 0 To UBound(fitted)
        t.StatValueObs(n, 29) = fitted(n)
    Next
    Set WithFits = t
End Function
Function MatrixWithFits(actual, fitted)
    Dim t, n
    Set t = NewMatrix(actual)
    For n = 0 To UBound(fitted)
        t.StatValueObs(0, n, 29) = fitted(n)
        t.StatValueObs(1, n, 29) = 2 * fitted(n)
    Next
    Set MatrixWithFits = t
End Function
Dim chiActual, chiFitted, alternating, level, mapeActual, mapeFitted
chiActual = Array(10, 12, 9, 11, 13, 8)
chiFitted = Array(11, 11, 10, 11, 12, 9)
' Errors 1, -1, 1, -1: Cochrane-Orcutt rho -3 / 3; MAE 1 over mean |actual| 10.
alternating = Array(11, 9, 11, 9)
' Percentage errors 0.1, except observation 7 whose actual value 0
' contributes 0 but still counts.
mapeActual = Array(10, 10, 10, 10, 10, 10, 10, 0, 10, 10)
mapeFitted = Array(11, 11, 11, 11, 11, 11, 11, 5, 11, 11)
For level = 0 To 1
    Dim chiS, chiM, altS, altM, mapeS, mapeM, what
    If level = 0 Then what = "series: " Else what = "matrix: "
    Set chiS = WithFits(chiActual, chiFitted)
    Set altS = WithFits(alternating, Array(10, 10, 10, 10))
    Set mapeS = WithFits(mapeActual, mapeFitted)
    If level = 0 Then
        chiS.Extension1.CalculateChiSquare -2, -1, 1, 0
        v = chiS.Statistic(2075)
    Else
        Set chiM = MatrixWithFits(chiActual, chiFitted)
        chiM.Extension1.CalculateChiSquare -2, -1, 1, 0
        ' twice the values: each term, and so the sum, doubles
        v = chiM.Series(1).Statistic(2075) / 2
        Check Near(chiM.Series(0).Statistic(2075), CHI_SQUARE, 1e-15), what & "chi-square of the first series"
    End If
    Check Near(v, CHI_SQUARE, 1e-15), what & "chi-square " & v
    If level = 0 Then
        chiS.Extension1.CalculateChiSquare -2, -1, 1, 1
        v = chiS.Statistic(2075)
    Else
        chiM.Extension1.CalculateChiSquare -2, -1, 1, 1
        v = chiM.Series(0).Statistic(2075)
    End If
    Check Near(v, CHI_SQUARE_UPPER_TAIL, 1e-9), what & "chi-square upper tail " & v
    If level = 0 Then
        chiS.Extension1.CalculateChiSquare -2, -1, 0, 0
    Else
        chiM.Extension1.CalculateChiSquare -2, -1, 0, 0
    End If
    ExpectError 3053, what & "chi-square with no degrees of freedom"

    If level = 0 Then
        altS.Extension1.CalculateCochraneOrcutt
        altS.Extension1.CalculateStandardizedMAE
        Check Near(altS.Statistic(2074), -1.0, 1e-15), what & "Cochrane-Orcutt " & altS.Statistic(2074)
        Check Near(altS.Statistic(2081), 0.1, 1e-15), what & "standardized MAE " & altS.Statistic(2081)
    Else
        Set altM = MatrixWithFits(alternating, Array(10, 10, 10, 10))
        altM.Extension1.CalculateCochraneOrcutt
        altM.Extension1.CalculateStandardizedMAE
        For j = 0 To 1
            Check Near(altM.Series(j).Statistic(2074), -1.0, 1e-15), what & "Cochrane-Orcutt of series " & j
            Check Near(altM.Series(j).Statistic(2081), 0.1, 1e-15), what & "standardized MAE of series " & j
        Next
    End If

    ' Rolling MAPE over three periods from observation 6: 0.1, then
    ' (0 + 0.1 + 0.1) / 3 wherever observation 7 is in the window;
    ' cumulative MAPE from observation 6 with three periods before it:
    ' 0.1 at 6 and 0.5 / 6 at 9.
    Dim target
    If level = 0 Then
        mapeS.Extension1.CalculateRollingMAPE 6, 3
        mapeS.Extension1.CalculateCumulativeMAPE 6, 3
        Set target = mapeS
    Else
        Set mapeM = MatrixWithFits(mapeActual, mapeFitted)
        mapeM.Extension1.CalculateRollingMAPE 6, 3
        mapeM.Extension1.CalculateCumulativeMAPE 6, 3
        Set target = mapeM.Series(1)
    End If
    NoError what & "the MAPEs"
    Check Near(target.StatValueObs(6, 33), 0.1, 1e-15), what & "rolling MAPE at 6: " & target.StatValueObs(6, 33)
    Check Near(target.StatValueObs(7, 33), 0.2 / 3, 1e-15), what & "rolling MAPE at 7: " & target.StatValueObs(7, 33)
    Check Near(target.StatValueObs(9, 33), 0.2 / 3, 1e-15), what & "rolling MAPE at 9: " & target.StatValueObs(9, 33)
    Check target.StatValueObs(5, 33) = 0, what & "no rolling MAPE before the range"
    Check Near(target.StatValueObs(6, 34), 0.1, 1e-15), what & "cumulative MAPE at 6: " & target.StatValueObs(6, 34)
    Check Near(target.StatValueObs(9, 34), 0.5 / 6, 1e-15), what & "cumulative MAPE at 9: " & target.StatValueObs(9, 34)
Next

NoError "the end"
If failures = 0 Then WScript.Echo "ALL PASSED"
