' A VBScript client of the extension's random series, curves, zero-demand
' Holt-Winters and slow-moving demand: the type library's defaults reach
' them, a script array (Variant cells) carries the seasonal indexes, a bad
' array arrives as a script error.
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

Dim s, ex, i, ok, m, mex, text
Set s = CreateObject("SeriesX.SeriesX.1")
Set ex = s.Extension1
' Defaults: one value of each generator.
ex.GenerateRandomNormal
ex.GenerateRandomPoisson
ex.GenerateRandomUniformDiscrete
ex.GenerateRandomTriangular
Check s.NumObservations = 4, "one value per generator call"
Check s.Observation(3).Description = "Triangular", "description of the triangular value"
ex.GenerateRandomUniform 50, 2, 3
ok = True
For i = 4 To 53
    If s.Value(i) < 2 Or s.Value(i) > 3 Then ok = False
Next
Check s.NumObservations = 54 And ok, "fifty uniform values in [2, 3]"
ex.GenerateRandomNormal 5, 0, -1
If Err.Number = 0 Then
    Fail "a negative standard deviation was accepted"
Else
    text = Err.Description
    Err.Clear
    Check InStr(text, "Error: 3120" & vbLf) > 0, "code 3120: " & text
End If
Check s.NumObservations = 54, "nothing appended after a refusal"

' Holt-Winters with given final values, on a series without observations.
Dim z, zex
Set z = CreateObject("SeriesX.SeriesX.1")
Set zex = z.Extension1
zex.ForecastHoltWintersZeroDemand -1, 3, 4, 0, 0, 0, 2, 10, 2, Array(0.5, 1.5, 1)
Check z.NumObservations = 4, "four forecasts"
Check z.Value(1) = 21, "(10 + 2 x 2) x 1.5 = " & z.Value(1)
zex.ForecastHoltWintersZeroDemand -1, 3, 4, 0, 0, 0, 2, 10, 2, Array(0.5, 1.5)
If Err.Number = 0 Then
    Fail "two indexes for a season of three were accepted"
Else
    text = Err.Description
    Err.Clear
    Check InStr(text, "Error: 3161" & vbLf) > 0, "code 3161: " & text
End If
zex.ForecastHoltWintersZeroDemand -1, 3, 4, 0, 0, 0, 2, 10, 2, Array("a", 1, 1)
If Err.Number = 0 Then
    Fail "a text index was accepted"
Else
    text = Err.Description
    Err.Clear
    Check InStr(text, "Error: 3160" & vbLf) > 0, "code 3160: " & text
End If

' The logistic curve on exact logistic data, and slow-moving demand with
' its twenty defaults.
Dim c, cex
Set c = CreateObject("SeriesX.SeriesX.1")
For i = 0 To 11
    c.AddObservation 10 + 90 / (1 + Exp(3 - 0.8 * i))
Next
Set cex = c.Extension1
cex.ForecastLogisticCurve -2, -1, 1, 10, 100, 1
Check c.ForecastMethodNumber = 26, "logistic curve recorded"
Check Abs(c.StatValueObs(12, 29) - (10 + 90 / (1 + Exp(3 - 0.8 * 12)))) < 1e-7, "logistic forecast"
Dim d, dex, demand
demand = Array(0, 3, 0, 0, 7, 0, 2, 0, 0, 5, 0, 1, 0, 0, 4, 0)
Set d = CreateObject("SeriesX.SeriesX.1")
For i = 0 To 15
    d.AddObservation demand(i)
Next
Set dex = d.Extension1
dex.ForecastSlowMovingDemand
Check d.ForecastMethodNumber = 35, "slow-moving demand recorded"
Check d.NumObservations = 17, "one period forecast"
Check d.Statistic(2082) > 0, "safety stock stored"

' The matrix: every series receives its values, whatever its length.
Set m = CreateObject("MatrixX.MatrixX.1")
m.AddObservation 0, 1
m.AddObservation 1, 1
m.AddObservation 1, 2
Set mex = m.Extension1
mex.GenerateRandomExponential 3
Check m.Series(0).NumObservations = 4 And m.Series(1).NumObservations = 5, "three values for each series"

If Err.Number <> 0 Then Fail "last statements: " & Err.Description
If failures = 0 Then WScript.Echo "ALL PASSED"
