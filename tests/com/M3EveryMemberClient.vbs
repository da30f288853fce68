' Every forecasting member of SeriesX and SeriesXEx1, and the automatic
' selection, on the M3 series, through the registered server.
'
'   cscript M3EveryMemberClient.vbs <m3 folder> [stride]
'
' Takes every stride-th series of the four files (1: all 3,003). Each member
' runs on a fresh series holding the series' history, with the type
' library's defaults and the series' own horizon. A member may refuse a
' series (the failure is counted by its error code); one that succeeds must
' leave the requested number of forecasts and nothing that is not a finite
' number in the values, the fitted values and the stored results.
Option Explicit
On Error Resume Next

Dim failures : failures = 0
Sub Fail(what)
    WScript.Echo "FAIL: " & what
    failures = failures + 1
End Sub

Const MAXDOUBLE = 1.7976931348623157E+308
Function Finite(x)
    Finite = False
    If IsNumeric(x) Then Finite = (Abs(x) <= MAXDOUBLE)
End Function

' The code of a reported failure, "other" for a failure without one.
Function CodeOf(text)
    Dim at, rest
    at = InStr(text, "Error: ")
    If at = 0 Then
        CodeOf = "other"
    Else
        rest = Mid(text, at + 7)
        CodeOf = Left(rest, InStr(rest & vbLf, vbLf) - 1)
    End If
End Function

Dim folder, stride
If WScript.Arguments.Count < 1 Then
    WScript.Echo "FAIL: usage: M3EveryMemberClient.vbs <m3 folder> [stride]"
    WScript.Quit 1
End If
folder = WScript.Arguments(0)
stride = 1
If WScript.Arguments.Count > 1 Then stride = CLng(WScript.Arguments(1))

' ---- the series: id, period, horizon and history ----------------------------
Dim fso : Set fso = CreateObject("Scripting.FileSystemObject")
' (Wine's VBScript fails on ReDim at this level, so the arrays are fixed
' and a history is kept as its text until it is used.)
Dim ids(3100), periods(3100), horizons(3100), histories(3100), numSeries
numSeries = 0

Sub ReadFile(name)
    Dim stream, line, cells, current, text, seen
    Set stream = fso.OpenTextFile(folder & "\" & name, 1)
    If Err.Number <> 0 Then
        Fail "cannot open " & name & ": " & Err.Description
        Err.Clear
        Exit Sub
    End If
    stream.ReadLine
    current = ""
    text = ""
    seen = -1
    Do While Not stream.AtEndOfStream
        line = stream.ReadLine
        cells = Split(line, ",")
        If cells(4) = "train" Then
            If cells(0) <> current Then
                Finish text
                text = ""
                current = cells(0)
                seen = seen + 1
                ids(numSeries) = current
                periods(numSeries) = CLng(cells(2))
                horizons(numSeries) = CLng(cells(3))
            End If
            If seen Mod stride = 0 Then
                If text = "" Then text = cells(6) Else text = text & "," & cells(6)
            End If
        End If
    Loop
    Finish text
    stream.Close
End Sub

' Keeps the series just read when it was selected (it has a history).
Sub Finish(text)
    If text <> "" Then
        histories(numSeries) = text
        numSeries = numSeries + 1
    End If
End Sub

ReadFile "m3_yearly.csv"
ReadFile "m3_quarterly.csv"
ReadFile "m3_monthly.csv"
ReadFile "m3_other.csv"
If Err.Number <> 0 Then
    Fail "reading the series: " & Err.Description
    Err.Clear
End If
WScript.Echo "series: " & numSeries & " (every " & stride & ". of 3003)"

' ---- the members --------------------------------------------------------------
Dim members
members = Array("ForecastExponentialSmoothing", "ForecastAdaptiveExponentialSmoothing", _
    "ForecastDoubleExponentialSmoothingBrown", "ForecastDoubleExponentialSmoothingHolt", _
    "ForecastTripleExponentialSmoothingBrown", "ForecastLinearRegression", "ForecastMovingAverage", _
    "ForecastHoltWinters", "ForecastWeightedMovingAverage", "ForecastBoxJenkins", "ForecastCroston", _
    "ForecastNewProduct", "Selvane", "ForecastGompertzCurve", "ForecastLogisticCurve", "ForecastProbitCurve", _
    "ForecastAverage", "ForecastLinearRegressionEx", "ForecastBassModel", "ForecastHoltWintersZeroDemand", _
    "ForecastExponentialSmoothingZeroDemand", "ForecastLinearRegressionZeroDemand", "ForecastSlowMovingDemand", _
    "ForecastLaggedForecast")

' Runs member m on series s (and its extension x) with horizon h.
Sub RunMember(m, s, x, h, total)
    Select Case m
        Case "ForecastExponentialSmoothing" : s.ForecastExponentialSmoothing , , h
        Case "ForecastAdaptiveExponentialSmoothing" : s.ForecastAdaptiveExponentialSmoothing , , h
        Case "ForecastDoubleExponentialSmoothingBrown" : s.ForecastDoubleExponentialSmoothingBrown , h
        Case "ForecastDoubleExponentialSmoothingHolt" : s.ForecastDoubleExponentialSmoothingHolt , h
        Case "ForecastTripleExponentialSmoothingBrown" : s.ForecastTripleExponentialSmoothingBrown , h
        Case "ForecastLinearRegression" : s.ForecastLinearRegression , , h
        Case "ForecastMovingAverage" : s.ForecastMovingAverage , , h
        Case "ForecastHoltWinters" : s.ForecastHoltWinters , , h
        Case "ForecastWeightedMovingAverage" : s.ForecastWeightedMovingAverage , , h
        Case "ForecastBoxJenkins" : s.ForecastBoxJenkins , , h
        Case "ForecastCroston" : s.ForecastCroston , h
        Case "ForecastNewProduct" : s.ForecastNewProduct , , h
        Case "Selvane" : s.Selvane , h
        Case "ForecastGompertzCurve" : x.ForecastGompertzCurve , , h
        Case "ForecastLogisticCurve" : x.ForecastLogisticCurve , , h
        Case "ForecastProbitCurve" : x.ForecastProbitCurve , , h
        Case "ForecastAverage" : x.ForecastAverage , , h
        Case "ForecastLinearRegressionEx" : x.ForecastLinearRegressionEx , , h
        Case "ForecastBassModel" : x.ForecastBassModel , , h, 0.03, 0.38, 1.5 * total
        Case "ForecastHoltWintersZeroDemand"
            x.ForecastHoltWintersZeroDemand , , h, , , , , , , Array(1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1)
        Case "ForecastExponentialSmoothingZeroDemand" : x.ForecastExponentialSmoothingZeroDemand , , h
        Case "ForecastLinearRegressionZeroDemand" : x.ForecastLinearRegressionZeroDemand , , h
        Case "ForecastSlowMovingDemand" : x.ForecastSlowMovingDemand , h
        Case "ForecastLaggedForecast" : x.ForecastLaggedForecast , h
    End Select
End Sub

Dim runs, successes, codes, seconds
Set runs = CreateObject("Scripting.Dictionary")
Set successes = CreateObject("Scripting.Dictionary")
Set codes = CreateObject("Scripting.Dictionary")
Set seconds = CreateObject("Scripting.Dictionary")

Dim k, j, i, m, s, x, h, n, values, total, expected, started, key, t, bad
For j = 0 To UBound(members)
    runs(members(j)) = 0 : successes(members(j)) = 0 : seconds(members(j)) = 0
Next
For k = 0 To numSeries - 1
    values = Split(histories(k), ",")
    n = UBound(values) + 1
    For i = 0 To n - 1
        values(i) = CDbl(values(i))
    Next
    h = horizons(k)
    total = 0
    For i = 0 To n - 1
        total = total + values(i)
    Next
    For j = 0 To UBound(members)
        m = members(j)
        Set s = CreateObject("SeriesX.SeriesX.1")
        For i = 0 To n - 1
            s.AddObservation values(i)
        Next
        Set x = s.Extension1
        If Err.Number <> 0 Then
            Fail ids(k) & ": loading: " & Hex(Err.Number) & " " & Err.Description
            Err.Clear
        End If
        started = Timer
        RunMember m, s, x, h, total
        seconds(m) = seconds(m) + (Timer - started)
        runs(m) = runs(m) + 1
        If Err.Number <> 0 Then
            key = m & " " & CodeOf(Err.Description)
            If CodeOf(Err.Description) = "other" Then Fail ids(k) & " " & m & ": failure without a code: " & Hex(Err.Number) & " " & Err.Description
            If codes.Exists(key) Then codes(key) = codes(key) + 1 Else codes.Add key, 1
            Err.Clear
        Else
            successes(m) = successes(m) + 1
            expected = n + h
            If s.NumObservations <> expected Then
                Fail ids(k) & " " & m & ": " & s.NumObservations & " observations, expected " & expected
            End If
            bad = ""
            For i = 0 To s.NumObservations - 1
                If Not Finite(s.Value(i)) Then bad = "value " & i
                If Not Finite(s.StatValueObs(i, 29)) Then bad = "fitted value " & i
            Next
            For Each t In s.Statistics
                If Not Finite(t.Value) Then bad = "stored result " & t.Type
            Next
            If bad <> "" Then Fail ids(k) & " " & m & ": not a finite number: " & bad
            If Err.Number <> 0 Then
                Fail ids(k) & " " & m & ": reading the results: " & Err.Description
                Err.Clear
            End If
        End If
        Set x = Nothing
        Set s = Nothing
    Next
Next

' ---- report -------------------------------------------------------------------
Dim line, c
WScript.Echo "member | runs | succeeded | seconds | failures by code"
For j = 0 To UBound(members)
    m = members(j)
    line = m & " | " & runs(m) & " | " & successes(m) & " | " & FormatNumber(seconds(m), 2, True, False, False) & " |"
    For Each c In codes.Keys
        If Left(c, Len(m) + 1) = m & " " Then line = line & " " & Mid(c, Len(m) + 2) & ":" & codes(c)
    Next
    WScript.Echo line
Next

If Err.Number <> 0 Then Fail "last statements: " & Err.Description
If failures = 0 Then WScript.Echo "ALL PASSED"
