' A VBScript client of the regression members of MatrixX and SeriesX:
' the type library's defaults reach them (forward selection, F-in 4,
' F-out 3, degree chosen), results are read back through the value
' properties, failures arrive as script errors.
Option Explicit
On Error Resume Next

Dim failures : failures = 0
Dim lastCheck : lastCheck = "the start"
Sub Fail(what)
    WScript.Echo "FAIL: " & what
    failures = failures + 1
End Sub
' A pending error fails the next check; a condition must be a truth value.
Sub Check(condition, what)
    If Err.Number <> 0 Then
        Fail "error raised after """ & lastCheck & """, before """ & what & """: 0x" & Hex(Err.Number) & " " & Err.Description
        Err.Clear
    End If
    If VarType(condition) <> vbBoolean Then
        Fail what & ": not a truth value (VarType " & VarType(condition) & ")"
    ElseIf Not condition Then
        Fail what
    End If
    lastCheck = what
End Sub
Sub NoError(what)
    If Err.Number <> 0 Then
        Fail what & ": 0x" & Hex(Err.Number) & " " & Err.Description
        Err.Clear
    End If
    lastCheck = what
End Sub
Dim errNumber, errDescription
Sub TakeError()
    errNumber = Err.Number
    errDescription = Err.Description
    Err.Clear
End Sub

' The cement data: heat y against four ingredients x1 .. x4.
Dim y : y = Array(78.5, 74.3, 104.3, 87.6, 95.9, 109.2, 102.7, 72.5, 93.1, 115.9, 83.8, 113.3, 109.4)
Dim x1 : x1 = Array(7, 1, 11, 11, 7, 11, 3, 1, 2, 21, 1, 11, 10)
Dim x2 : x2 = Array(26, 29, 56, 31, 52, 55, 71, 31, 54, 47, 40, 66, 68)
Dim x3 : x3 = Array(6, 15, 8, 8, 6, 9, 17, 22, 18, 4, 23, 9, 8)
Dim x4 : x4 = Array(60, 52, 20, 47, 33, 22, 6, 44, 22, 26, 34, 12, 12)
Dim m, i, t
Set m = CreateObject("MatrixX.MatrixX.1")
NoError "creating the matrix"
For i = 0 To 12
    m.AddObservation 0, y(i)
    m.AddObservation 1, x1(i)
    m.AddObservation 2, x2(i)
    m.AddObservation 3, x3(i)
    m.AddObservation 4, x4(i)
Next
m.Series(0).DependenceType = 1
For i = 1 To 4
    m.Series(i).DependenceType = 2
Next
NoError "loading"

' Defaults: forward selection enters x4, x1 and x2 (F 5.03 for x2).
m.ForecastStepwise
NoError "ForecastStepwise with its defaults"
Check m.Series(3).DependenceType = 13, "x3 not selected"
Check m.Series(2).DependenceType = 12, "x2 selected"
t = m.StatValueSeries(2, 4012, 0)
Check Abs(t * t - 5.025864648951762) < 1e-8, "partial F of x2: " & t * t
Check m.ForecastMethodNumber = 12, "stepwise method recorded"

' The multiple regression of y on all four.
m.ForecastMultipleRegression
NoError "ForecastMultipleRegression"
Check m.ForecastMethodNumber = 11, "multiple regression recorded"
t = m.StatValueSeries(3, 4012, 0)
Check Abs(t * t - 0.018233473487337636) < 1e-8, "partial F of x3 in the full model: " & t * t

' Matrix statistics: the covariance of x1 with itself is its variance.
m.CalculateCovarianceMatrix
NoError "CalculateCovarianceMatrix"
Check m.NumStatRows(6002) = 5 And m.NumStatColumns(6002) = 5, "a 5 x 5 table"
m.Series(1).CalculateVariance
Check Abs(m.StatValueMatrix(6002, 1, 1) - m.Series(1).Statistic(2004)) < 1e-9, "covariance of x1 with itself"

' A refused argument: F-in below F-out with removal.
m.ForecastStepwise -2, -1, 1, -3, -3, 3.0, 4.0
TakeError
Check errNumber = &H80044005, "F-in below F-out fails: 0x" & Hex(errNumber)
Check InStr(errDescription, "Error: 3098" & vbLf) > 0, "code 3098: " & errDescription

' The linear trend of one series.
Dim s
Set s = CreateObject("SeriesX.SeriesX.1")
s.AddObservation 2
s.AddObservation 4
s.AddObservation 6
s.ForecastLinearRegression
NoError "ForecastLinearRegression"
Check s.NumObservations = 4, "one period appended"
Check Abs(s.StatValueObs(3, 29) - 8) < 1e-12, "forecast 8: " & s.StatValueObs(3, 29)
Check Abs(s.Statistic(2061) - 2) < 1e-12, "slope 2"

' The linear trend of every series of a matrix: 1, 3, 2, 5, 4 (slope 0.8,
' intercept 0.6) and 2, 4, .., 10 (slope 2, forecast 14 two periods on).
Dim lin
Set lin = CreateObject("MatrixX.MatrixX.1")
Dim a : a = Array(1, 3, 2, 5, 4)
For i = 0 To 4
    lin.AddObservation 0, a(i)
    lin.AddObservation 1, 2 * (i + 1)
Next
lin.ForecastLinearRegression -2, -1, 2
NoError "MatrixX.ForecastLinearRegression"
Check Abs(lin.StatValueSeries(0, 2061, 0) - 0.8) < 1e-12, "slope 0.8: " & lin.StatValueSeries(0, 2061, 0)
Check Abs(lin.StatValueSeries(0, 2060, 0) - 0.6) < 1e-12, "intercept 0.6: " & lin.StatValueSeries(0, 2060, 0)
Check Abs(lin.StatValueSeries(1, 2061, 0) - 2) < 1e-12, "slope 2: " & lin.StatValueSeries(1, 2061, 0)
Check Abs(lin.StatValueObs(1, 6, 29) - 14) < 1e-12, "forecast 14: " & lin.StatValueObs(1, 6, 29)
lin.ForecastLinearRegression -2, -1, -1
TakeError
Check InStr(errDescription, "Error: 3030" & vbLf) > 0, "negative periods: code 3030: " & errDescription

' The polynomial regression of y on x = 1 .. 12 with its defaults: the
' quadratic is accepted (partial F 40811 > 4), the cubic is not; the
' coefficients are those of exact least squares on 1, x, x^2.
Dim poly, py
Set poly = CreateObject("MatrixX.MatrixX.1")
py = Array(3.1, 4.9, 9.2, 14.8, 23.1, 32.9, 45.2, 58.8, 75.1, 92.9, 113.2, 134.8)
For i = 0 To 11
    poly.AddObservation 0, py(i)
    poly.AddObservation 1, i + 1
Next
poly.Series(0).DependenceType = 1
poly.Series(1).DependenceType = 2
poly.Series(1).Description = "X"
NoError "loading the polynomial data"
poly.ForecastPolynomialRegression
NoError "ForecastPolynomialRegression with its defaults"
Check poly.NumSeries = 3, "one product series kept: " & poly.NumSeries
Check poly.Series(2).Description = "(X)^2", "described (X)^2: " & poly.Series(2).Description
Check poly.ForecastMethodNumber = 13, "polynomial method recorded"
Check Abs(poly.StatValueSeries(0, 2029, 0) - 3.0272727272727273) < 1e-9, "intercept: " & poly.StatValueSeries(0, 2029, 0)
Check Abs(poly.StatValueSeries(1, 2029, 0) + 1.0004495504495505) < 1e-9, "x: " & poly.StatValueSeries(1, 2029, 0)
Check Abs(poly.StatValueSeries(2, 2029, 0) - 0.9995504495504496) < 1e-9, "x^2: " & poly.StatValueSeries(2, 2029, 0)
Check poly.StatValueObs(0, 5, 13) = poly.StatValueObs(0, 5, 29), "fitted value under the method's code"
poly.ForecastPolynomialRegression -2, -1, -3, -0.5
TakeError
Check InStr(errDescription, "Error: 3103" & vbLf) > 0, "negative partial F: code 3103: " & errDescription

NoError "the last statements"
If failures = 0 Then WScript.Echo "ALL PASSED"
