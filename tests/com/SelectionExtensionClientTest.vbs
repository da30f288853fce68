' A VBScript client of the forecasts of the selection family that only C++
' clients called: MatrixX.ForecastCroston and ForecastNewProduct, the
' Gompertz and probit curves, the non-steady curve of a matrix and the
' multi-method selection. Exact curve data with the curve's bounds given
' are continued exactly; Croston's forecast is printed by
' make_script_reference.py.
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
' |actual - expected| within tolerance times max(1, |expected|).
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

Const CROSTON_02 = 5.030885380919698

Dim i, k, s, ex, m, mex, f, demand, ok
Function Logistic(t, shift)
    Logistic = 10 + 90 / (1 + Exp(shift - 0.8 * t))
End Function
Function Gompertz(t)
    Gompertz = 10 + 90 * Exp(-Exp(2 - 0.5 * t))
End Function
' The probit curve runs on the period number from 1.
Function Probit(t)
    Probit = 10 + 90 / (1 + Exp(3 - 1.5 * Log(t + 1)))
End Function

' ---- Croston's method on every series of a matrix ----
demand = Array(1, 0, 0, 7, 0, 0, 0, 0, 2, 50)
Set m = CreateObject("MatrixX.MatrixX.1")
For i = 0 To 9
    m.AddObservation 0, demand(i)
    m.AddObservation 1, 2 * demand(i)
Next
m.ForecastCroston 0, 2, 0.2
NoError "matrix Croston"
Check m.Series(0).NumObservations = 12 And m.Series(1).NumObservations = 12, "two periods for each series"
Check m.Series(1).ForecastMethodNumber = 24, "Croston recorded"
Check Near(m.StatValueObs(0, 11, 29), CROSTON_02, 1e-12), "Croston forecast " & m.StatValueObs(0, 11, 29)
Check Near(m.StatValueObs(1, 11, 29), 2 * CROSTON_02, 1e-12), "twice the demand, twice the forecast"
m.ForecastCroston 0, 1, 1.5
ExpectError 3007, "alpha 1.5"

' ---- the new-product curve of a matrix: two logistic series ----
Set m = CreateObject("MatrixX.MatrixX.1")
For i = 0 To 11
    m.AddObservation 0, Logistic(i, 3)
    m.AddObservation 1, Logistic(i, 4)
Next
m.ForecastNewProduct -2, -1, 2, 10, 100, 1
NoError "matrix new product"
Check Near(m.StatValueObs(0, 13, 29), Logistic(13, 3), 1e-9), "first series continued: " & m.StatValueObs(0, 13, 29)
Check Near(m.StatValueObs(1, 12, 29), Logistic(12, 4), 1e-9), "second series continued: " & m.StatValueObs(1, 12, 29)

' ---- the Gompertz and probit curves of a series ----
Set s = CreateObject("SeriesX.SeriesX.1")
For i = 0 To 11
    s.AddObservation Gompertz(i)
Next
Set ex = s.Extension1
ex.ForecastGompertzCurve -2, -1, 2, 10, 100, 1
Check s.ForecastMethodNumber = 25, "Gompertz recorded"
Check Near(s.StatValueObs(13, 29), Gompertz(13), 1e-9), "Gompertz forecast " & s.StatValueObs(13, 29)
Set s = CreateObject("SeriesX.SeriesX.1")
For i = 0 To 11
    s.AddObservation Probit(i)
Next
Set ex = s.Extension1
ex.ForecastProbitCurve -2, -1, 1, 10, 100, 1
Check s.ForecastMethodNumber = 27, "probit recorded"
Check Near(s.StatValueObs(12, 29), Probit(12), 1e-9), "probit forecast " & s.StatValueObs(12, 29)
ex.ForecastProbitCurve -2, -1, 1, 100, 10, 1
If Err.Number = 0 Then Fail "reversed bounds accepted"
Err.Clear
' The matrix members reach every series.
Set m = CreateObject("MatrixX.MatrixX.1")
For i = 0 To 11
    m.AddObservation 0, Gompertz(i)
    m.AddObservation 1, Probit(i)
Next
Set mex = m.Extension1
mex.ForecastGompertzCurve -2, -1, 1, 10, 100, 1
Check Near(m.StatValueObs(0, 12, 29), Gompertz(12), 1e-9), "matrix Gompertz forecast"
Check m.Series(1).ForecastMethodNumber = 25, "matrix: both series by Gompertz"
Set m = CreateObject("MatrixX.MatrixX.1")
For i = 0 To 11
    m.AddObservation 0, Probit(i)
    m.AddObservation 1, Probit(i)
Next
Set mex = m.Extension1
mex.ForecastProbitCurve -2, -1, 1, 10, 100, 1
Check Near(m.StatValueObs(1, 12, 29), Probit(12), 1e-9), "matrix probit forecast"

' ---- the non-steady curve: a logistic in the independent values ----
Dim xs
xs = Array(0.5, 1.0, 2.0, 2.5, 3.5, 5.0, 5.5, 6.0, 7.5, 8.0, 9.0, 11.0)
Set m = CreateObject("MatrixX.MatrixX.1")
For i = 0 To 11
    If i < 10 Then m.AddObservation 0, 10 + 90 / (1 + Exp(3 - 0.8 * xs(i)))
    m.AddObservation 1, xs(i)
Next
m.Series(0).DependenceType = 1
m.Series(1).DependenceType = 2
Set mex = m.Extension1
mex.ForecastNonSteadyNewProduct -2, -1, 2, 10, 100, 1, 2
NoError "non-steady curve"
Check m.Series(0).NumObservations = 12, "two forecasts"
Check Near(m.StatValueObs(0, 11, 29), 10 + 90 / (1 + Exp(3 - 0.8 * 11)), 1e-9), "non-steady forecast"
Check m.ForecastMethodNumber = 26, "logistic chosen"

' ---- the multi-method selection ----
Dim values
values = Array(20, 23, 26, 26, 29, 32, 32, 35, 38, 38, 41, 44)
Set m = CreateObject("MatrixX.MatrixX.1")
For i = 0 To 11
    m.AddObservation 0, values(i)
Next
Set mex = m.Extension1
mex.SelvaneMultipleMethod 0, 2, 7, 0, 0, Array(5, 9, 4)
ExpectError 3026, "error type 7"
Check m.NumSeries = 1 And m.Series(0).NumObservations = 12, "a refusal leaves the matrix alone"
mex.SelvaneMultipleMethod 0, 2, 2024, 0, 0, Array(5, 9.5)
ExpectError 3162, "a fractional method code"
mex.SelvaneMultipleMethod 0, 2, 2024, 0, 0, Array(5, "9")
ExpectError 3162, "a method code as text"
mex.SelvaneMultipleMethod 0, 2, 2024, 0, 0, Array()
ExpectError 3163, "an empty list"
mex.SelvaneMultipleMethod 0, 2, 2024, 0, 0, Array(5, 9, 4)
NoError "selection over three methods"
Check m.NumSeries = 4, "one series per method, two for the moving average"
Dim ranks(4), methods, last3, last6, fa, fb
methods = Array(5, 9, 4, 4)
ok = True
For k = 0 To 3
    If m.Series(k).ForecastMethodNumber <> methods(k) Then ok = False
    If m.Series(k).NumObservations <> 14 Then ok = False
    ranks(m.Series(k).Statistic(2080)) = ranks(m.Series(k).Statistic(2080)) + 1
Next
Check ok, "methods 5, 9, 4, 4 with two forecasts each"
Check ranks(1) = 1 And ranks(2) = 1 And ranks(3) = 1 And ranks(4) = 1, "ranks 1 to 4 once each"
' The moving averages of three and of six periods, in either order.
last3 = (38 + 41 + 44) / 3
last6 = (32 + 35 + 38 + 38 + 41 + 44) / 6
fa = m.StatValueObs(2, 12, 29)
fb = m.StatValueObs(3, 12, 29)
ok = Near(fa, last3, 1e-12) And Near(fb, last6, 1e-12)
ok = ok Or (Near(fa, last6, 1e-12) And Near(fb, last3, 1e-12))
Check ok, "moving-average forecasts " & fa & ", " & fb

NoError "the end"
If failures = 0 Then WScript.Echo "ALL PASSED"
