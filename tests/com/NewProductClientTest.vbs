' A VBScript client of ForecastCroston and ForecastNewProduct: the type
' library's defaults reach them, results come back through the value
' properties, a bad argument arrives as a script error.
Option Explicit
On Error Resume Next

Dim failures : failures = 0
Sub Fail(what)
    WScript.Echo "FAIL: " & what
    failures = failures + 1
End Sub
Sub Check(condition, what)
    If Err.Number <> 0 Then
        Fail "error before """ & what & """: 0x" & Hex(Err.Number) & " " & Err.Description
        Err.Clear
    End If
    If VarType(condition) <> vbBoolean Then
        Fail what & ": not a truth value"
    ElseIf Not condition Then
        Fail what
    End If
End Sub

Dim s, i, data
data = Array(0, 0, 3, 0, 0, 0, 5, 0, 2, 0, 0, 4)
Set s = CreateObject("SeriesX.SeriesX.1")
Check Not (s Is Nothing), "creating the series"
For i = 0 To 11
    s.AddObservation data(i)
Next
' Defaults: from observation 0, one period, alpha fitted.
s.ForecastCroston
Check s.NumObservations = 13, "one period appended"
Check s.ForecastMethodNumber = 24, "Croston recorded"
Check s.StatValueObs(12, 29) > 0, "positive forecast"
Check s.Statistic(2028) >= 0 And s.Statistic(2028) <= 1, "alpha in [0, 1]"

' A constant of 1.5 is refused with 3007.
s.ForecastCroston 0, 1, 1.5
If Err.Number = 0 Then
    Fail "alpha 1.5 accepted"
ElseIf InStr(Err.Description, "3007") = 0 Then
    Fail "alpha 1.5: " & Err.Description
End If
Err.Clear

' The new-product curve with its defaults on exact logistic data.
Set s = CreateObject("SeriesX.SeriesX.1")
For i = 0 To 11
    s.AddObservation 10 + 90 / (1 + Exp(3 - 0.8 * i))
Next
s.ForecastNewProduct
Check s.ForecastMethodNumber = 28 Or s.ForecastMethodNumber = 30, "new product recorded: " & s.ForecastMethodNumber
Check s.NumObservations = 13, "one period appended"
Check s.StatValueObs(12, 28) = s.StatValueObs(12, 29), "quantity 28 is the forecast"
s.ForecastNewProduct -2, -1, 1, 10, 100, 1
Check Abs(s.StatValueObs(12, 29) - (10 + 90 / (1 + Exp(3 - 0.8 * 12)))) < 1e-7, "logistic forecast " & s.StatValueObs(12, 29)

If Err.Number <> 0 Then Fail "last statements: " & Err.Description
If failures = 0 Then WScript.Echo "ALL PASSED"
