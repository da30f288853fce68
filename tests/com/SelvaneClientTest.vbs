' Series cleaning and the automatic selection from a script client.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

' No error since the last check.
Sub NoError(what)
    If Err.Number <> 0 Then
        WScript.Echo "FAIL: " & what & ": " & Err.Description
        failures = failures + 1
        Err.Clear
    End If
End Sub

Sub ExpectError(code, what)
    If Err.Number = 0 Then
        WScript.Echo "FAIL: " & what & ": no error"
        failures = failures + 1
    ElseIf InStr(Err.Description, "Error: " & code & vbLf) = 0 Then
        WScript.Echo "FAIL: " & what & ": error " & Err.Number & " " & Err.Description
        failures = failures + 1
    End If
    Err.Clear
End Sub

Dim s, i, n
On Error Resume Next
Set s = CreateObject("SeriesX.SeriesX.1")
For i = 0 To 23
    s.AddObservation 50 + 1.5 * i + ((i * 7) Mod 5), "", 1
Next
s.Value(9) = 200
' Outliers against the regression line, then the selection with defaults.
s.ReplaceOutliers -2, -1, 2.0, 1.0, 6, 0
Check s.Value(9) < 200, "spike replaced: " & s.Value(9)
Check s.StatValueObs(9, 16) = 200, "old value kept"
NoError "replacing outliers"
s.Selvane 0, 3
NoError "selection with its defaults"
n = s.NumObservations
Check n = 27, "three forecasts appended: " & n
Check s.ForecastMethodNumber >= 0, "a method is chosen: " & s.ForecastMethodNumber

s.Selvane 0, 1, 2010, -3, 1, 4
ExpectError 3077, "hold-out with squared errors"
s.ReplaceMissingValues -2, -1, -1.0, 0.0, 11
ExpectError 3054, "missing values by an unsupported method"

' Extension: trend adjustment over the last period.
Dim ex, a0, a1
Set ex = s.Extension1
a0 = s.StatValueObs(25, 29)
a1 = s.StatValueObs(26, 29)
ex.TrendAdjust 26, 1, 1, 2.0, 1, 2.0
NoError "trend adjustment"
Check Abs(s.StatValueObs(26, 29) - (a1 + (a1 - a0))) < 1e-9, "slope doubled: " & s.StatValueObs(26, 29)

' The matrix forms and the forecast rank.
Dim m, mex, k
Set m = CreateObject("MatrixX.MatrixX.1")
For k = 0 To 1
    For i = 0 To 19
        m.AddObservation k, (k + 1) * (20 + i + ((i * 3) Mod 4)), "", 1
    Next
Next
m.Selvane 0, 2, 2024, -2, 0
NoError "matrix selection"
Check m.Series(1).NumObservations = 22, "matrix selection forecasts every series"
Set mex = m.Extension1
mex.CalculateForecastRank -2, -1, 2011
NoError "forecast rank"
Check m.Series(0).Statistic(2080) + m.Series(1).Statistic(2080) = 3, "ranks 1 and 2"

NoError "the end"
If failures = 0 Then WScript.Echo "ALL PASSED"
