' A VBScript client of the smoothing members of SeriesX and MatrixX:
' Holt-Winters with its defaults on the airline series, the stored
' constants and seasonal factors read back, the other smoothing methods,
' the moving averages, mode and median, and failures as script errors.
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
Function ExpectError(code, what)
    If Err.Number = 0 Then
        Fail what & ": no error"
    ElseIf InStr(Err.Description, "Error: " & code) = 0 Then
        Fail what & ": " & Err.Description
    End If
    Err.Clear
    lastCheck = what
End Function

Dim airText : airText = "112 118 132 129 121 135 148 148 136 119 104 118 115 126 141 135 125 149 170 170 158 133 114 140 145 150 178 163 172 178 199 199 184 162 146 166 171 180 193 181 183 218 230 242 209 191 172 194 196 196 236 235 229 243 264 272 237 211 180 201 204 188 235 227 234 264 302 293 259 229 203 229 242 233 267 269 270 315 364 347 312 274 237 278 284 277 317 313 318 374 413 405 355 306 271 306 315 301 356 348 355 422 465 467 404 347 305 336 340 318 362 348 363 435 491 505 404 359 310 337 360 342 406 396 420 472 548 559 463 407 362 405 417 391 419 461 472 535 622 606 508 461 390 432"
Dim air : air = Split(airText, " ")
Dim s, i, k
Set s = CreateObject("SeriesX.SeriesX.1")
NoError "creating the series"
For i = 0 To 143
    s.AddObservation CDbl(air(i))
Next

' Holt-Winters with every default: one period, seasonal length 12,
' multiplicative, the three constants fitted.
s.ForecastHoltWinters
NoError "ForecastHoltWinters with its defaults"
Check s.NumObservations = 145, "one period appended"
Check s.ForecastMethodNumber = 14, "method 14"
Check s.SeasonalLength = 12, "seasonal length 12"
Check s.DecompositionType = 2, "multiplicative"
Dim a, b, g
a = s.Statistic(2028) : b = s.Statistic(2029) : g = s.Statistic(2030)
Check a >= 0 And a <= 1 And b >= 0 And b <= 1 And g >= 0 And g <= 1, "constants in [0, 1]: " & a & " " & b & " " & g
Check s.Statistic(2032) > 400, "final level read back: " & s.Statistic(2032)
Dim total : total = 0
For k = 0 To 11
    total = total + s.StatValueSeries(4015, k)
Next
Check Abs(total - 12) < 1e-9, "initial factors sum to 12: " & total
Check s.StatValueSeries(4002, 6) > s.StatValueSeries(4002, 10), "a summer factor above an autumn one"

' A year of seasonal forecasts: the summer peak comes back.
s.RemoveAllCalculations
s.ForecastHoltWinters 0, 12, 12
NoError "ForecastHoltWinters over a year"
Check s.NumObservations = 156, "twelve periods appended"
Check s.StatValueObs(150, 29) > s.StatValueObs(154, 29) + 50, "July above November: " & s.StatValueObs(150, 29) & " " & s.StatValueObs(154, 29)
Check s.StatValueObs(150, 14) = s.StatValueObs(150, 29), "quantity 14 beside 29"

' The other smoothing methods on the first four years.
Dim t
Set t = CreateObject("SeriesX.SeriesX.1")
For i = 0 To 47
    t.AddObservation CDbl(air(i))
Next
t.ForecastDoubleExponentialSmoothingBrown 0, 2, 0.3
NoError "Brown double"
Check t.ForecastMethodNumber = 8 And t.NumObservations = 50, "Brown double: method 8, two periods"
Check t.Statistic(2028) = 0.3, "alpha stored"
t.RemoveAllCalculations
t.ForecastTripleExponentialSmoothingBrown
NoError "Brown triple"
Check t.ForecastMethodNumber = 10, "Brown triple: method 10"
t.RemoveAllCalculations
t.ForecastDoubleExponentialSmoothingHolt 0, 1, 0.5, 0.1
NoError "Holt"
Check t.ForecastMethodNumber = 9, "Holt: method 9"
Check Abs(t.Statistic(2032) - 192.98979407555424) < 1e-9, "Holt final level: " & t.Statistic(2032)
t.RemoveAllCalculations
t.ForecastAdaptiveExponentialSmoothing
NoError "adaptive"
Check t.ForecastMethodNumber = 7, "adaptive: method 7"

' Moving averages, mode and median.
Dim u
Set u = CreateObject("SeriesX.SeriesX.1")
u.AddObservation 1 : u.AddObservation 2 : u.AddObservation 3 : u.AddObservation 4
Call u.ForecastMovingAverage(-2, 2, 3)
NoError "moving average"
Check u.StatValueObs(6, 29) = 3.625, "third forecast 3.625"
Call u.ForecastWeightedMovingAverage(-2, 3, -1)
ExpectError 3030, "weighted moving average with a negative horizon"
Dim v
Set v = CreateObject("SeriesX.SeriesX.1")
v.AddObservation 2 : v.AddObservation 7 : v.AddObservation 7 : v.AddObservation 2
v.CalculateMode
v.CalculateMedian
NoError "mode and median"
Check v.Statistic(2017) = 2, "mode 2"
Check v.Statistic(2016) = 4.5, "median 4.5"
s.ForecastHoltWinters 0, 12, 1, 0.5, 0.5, 0.5, 0
ExpectError 3082, "decomposition type 0"

' One object over every series of a matrix.
Dim m
Set m = CreateObject("MatrixX.MatrixX.1")
For i = 0 To 47
    m.AddObservation 0, CDbl(air(i))
    m.AddObservation 1, CDbl(air(i + 96))
Next
m.ForecastHoltWinters 0, 12, 2
NoError "matrix Holt-Winters"
Check m.Series(1).NumObservations = 50, "second series forecast"
Check m.Series(1).ForecastMethodNumber = 14, "second series method 14"
m.CalculateMedian
NoError "matrix median"
Check m.StatValueSeries(0, 2016, 0) > 0, "median of the first series"

NoError "the last statements"
If failures = 0 Then WScript.Echo "ALL PASSED"
