' A VBScript client of the computing members of SeriesX and MatrixX: the
' defaults of the type library reach the members, results are read back
' through the value properties, failures arrive as script errors.
Option Explicit
On Error Resume Next

' Under On Error Resume Next a statement that raises is abandoned: a Check
' whose condition raises is never called. So every Check fails first on an
' error left pending, naming the last check made and this one, between
' which it was raised. A condition must be a truth value: a comparison with
' Null gives Null, which If Not would let pass.
Dim failures : failures = 0
Dim lastCheck : lastCheck = "the start"
Sub Fail(what)
    WScript.Echo "FAIL: " & what
    failures = failures + 1
End Sub
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
' An expected failure: its number, description and source, then cleared.
Dim errNumber, errDescription, errSource
Sub TakeError()
    errNumber = Err.Number
    errDescription = Err.Description
    errSource = Err.Source
    Err.Clear
End Sub
Function Near(a, b)
    Near = Abs(a - b) <= 1e-9 * (1 + Abs(b))
End Function

Dim values : values = Array(112, 118, 132, 129, 121, 135, 148, 148, 136, 119, 104, 118)
Dim s, m, i, o, sum
Set s = CreateObject("SeriesX.SeriesX.1")
Set m = CreateObject("MatrixX.MatrixX.1")
NoError "creating the objects"
For i = 0 To UBound(values)
    s.AddObservation values(i), CStr(i)
    m.AddObservation 0, values(i)
    m.AddObservation 1, values(i)
Next
NoError "loading"

' Statistics with every argument defaulted: the whole series.
s.CalculateMean
NoError "CalculateMean"
sum = 0
For i = 0 To UBound(values)
    sum = sum + values(i)
Next
Check Near(s.Statistic(2019), sum / 12), "mean " & s.Statistic(2019)
s.CalculateMin
s.CalculateMax
s.CalculateRange
NoError "min, max, range"
Check s.Statistic(2000) = 104 And s.Statistic(2067) = 148 And s.Statistic(2018) = 44, "min, max, range"
s.CalculateMean 5, 3
Check Near(s.Statistic(2019), (129 + 121 + 135) / 3), "mean of a range"
NoError "CalculateMean 5, 3"

' The forecast with its defaults: alpha fitted, one period.
s.ForecastExponentialSmoothing
NoError "ForecastExponentialSmoothing"
Check s.NumObservations = 13, "one period appended: " & s.NumObservations
Check s.ForecastMethodNumber = 5, "method 5"
Check s.SeasonalLength = 0 And s.DecompositionType = 0, "seasonal length and decomposition type"
Set o = s.Observation(12)
Check o.Description = "0" And o.Origin = 2, "appended observation " & o.Description & " " & o.Origin
Check s.Statistic(2028) >= 0 And s.Statistic(2028) <= 1, "fitted alpha " & s.Statistic(2028)
Check o.Statistic(29) = s.Statistic(2032), "forecast is the final level"
Check s.StatValueObs(12, 5) = s.StatValueObs(12, 29), "stored under 5 and 29"
NoError "reading the forecast"

' Durbin-Watson: the series default offset is 1, the matrix one 0.
m.ForecastExponentialSmoothing 0, 0.5, 0
NoError "matrix forecast"
m.CalculateDurbinWatson
NoError "matrix CalculateDurbinWatson"
Check m.StatValueSeries(0, 2014, 0) = 0, "matrix default offset 0"
Set s = m.Series(1)
s.CalculateDurbinWatson
NoError "series CalculateDurbinWatson"
Check s.Statistic(2014) > 0, "series default offset 1: " & s.Statistic(2014)
m.CalculateError
NoError "matrix CalculateError"
Check m.StatValueObs(1, 11, 0) = m.Value(1, 11) - m.StatValueObs(1, 11, 29), "error of the last observation"
Check m.StatValueObs(1, 10, 0) = 0, "earlier observations untouched"

' The remaining defaults: lag 1, the last observation, one value back.
Dim t
Set t = CreateObject("SeriesX.SeriesX.1")
For i = 0 To UBound(values)
    t.AddObservation values(i)
Next
t.CalculateAutoCorrelation
t.CalculatePartialAutoCorrelationCoefficient
t.CalculateAutoCovariance
NoError "lag defaults"
Check t.Statistic(4001) <> 0 And Near(t.Statistic(4000), t.Statistic(4001)), "lag 1: " & t.Statistic(4000) & " " & t.Statistic(4001)
Dim mean, cov
mean = 0
For i = 0 To UBound(values)
    mean = mean + values(i) / 12
Next
cov = 0
For i = 0 To UBound(values) - 1
    cov = cov + (values(i + 1) - mean) * (values(i) - mean) / 12
Next
Check Near(t.Statistic(2008), cov), "autocovariance at lag 1: " & t.Statistic(2008) & " " & cov
NoError "reading the lag statistics"
t.CalculateDifference
NoError "CalculateDifference"
Check t.StatValueObs(11, 1) = values(11) - values(10) And t.StatValueObs(10, 1) = 0, "difference of the last observation only"
t.CalculateLog
NoError "CalculateLog"
Check Near(t.StatValueObs(11, 2), Log(values(11))) And t.StatValueObs(10, 2) = 0, "logarithm of the last observation only"
NoError "reading the per-observation values"
t.CalculateNormalityError
TakeError
Check errNumber <> 0, "k has no default"
t.CalculateNormalityError , , 1
NoError "CalculateNormalityError with k"
Set m = CreateObject("MatrixX.MatrixX.1")
For i = 0 To UBound(values)
    m.AddObservation 0, values(i)
    m.AddObservation 1, values(UBound(values) - i)
Next
m.ForecastExponentialSmoothing
NoError "matrix forecast with its defaults"
Check m.Series(0).NumObservations = 13 And m.Series(1).NumObservations = 13, "one period on every series"
Check m.Series(1).ForecastMethodNumber = 5 And m.ForecastMethodNumber = -1, "method recorded in the series only"
t.ForecastExponentialSmoothing
NoError "series forecast of the same values"
Check m.StatValueSeries(0, 2028, 0) = t.Statistic(2028), "alpha of series 0 as on its own: " & m.StatValueSeries(0, 2028, 0)
m.CalculateDifference
NoError "matrix CalculateDifference"
Check m.StatValueObs(1, 12, 1) = m.Value(1, 12) - m.Value(1, 11) And m.StatValueObs(1, 11, 1) = 0, "matrix difference of the last observation"
NoError "reading the matrix results"

' Failures.
s.ForecastExponentialSmoothing 0, 1.5
TakeError
Check errNumber = &H80044005, "alpha 1.5 fails: 0x" & Hex(errNumber)
Check InStr(errDescription, "Error: 3007" & vbLf) > 0, "code 3007: " & errDescription
Check errSource = "SeriesX.SeriesX.1", "source " & errSource
m.AddObservation 2, 1
NoError "adding a shorter series"
m.CalculateMean
TakeError
Check InStr(errDescription, "Error: 2000" & vbLf) > 0, "unequal lengths: " & errDescription
Check errSource = "MatrixX.MatrixX.1", "matrix source " & errSource

' An empty series is left as it is.
Set s = CreateObject("SeriesX.SeriesX.1")
s.ForecastExponentialSmoothing
NoError "empty series"
Check s.NumObservations = 0, "empty series unchanged"

NoError "the last statements"
If failures = 0 Then WScript.Echo "ALL PASSED"
