' A VBScript client of QDInterface: creation by ProgID, omitted and skipped
' arguments, indexed properties, enumeration and the error report.
Option Explicit
Dim failures : failures = 0

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim m, s, o, t, n, total, x
Set m = CreateObject("MatrixX.MatrixX.1")

' Omitted arguments take the defaults of the type library: an empty
' description and origin 1 (supplied).
m.AddObservation 0, 1.5
m.AddObservation 0, 2.5, "second"
' A skipped argument in the middle takes its default too.
m.AddObservation 0, 3.5, , 2
m.AddObservation 2, 7
Check m.NumSeries = 3, "NumSeries"
Check m.Value(0, 1) = 2.5, "Value(0,1)"

' Indexed property put.
m.Value(0, 0) = 4.5
Check m.Value(0, 0) = 4.5, "Value put"

Set s = m.Series(0)
Check s.NumObservations = 3, "series NumObservations"
Check s.Observation(0).Description = "", "default description"
Check s.Observation(0).Origin = 1, "default origin"
Check s.Observation(1).Description = "second", "description"
Check s.Observation(2).Description = "", "skipped description"
Check s.Observation(2).Origin = 2, "origin after skipped argument"
Check s.NumObservationsByOriginType() = 3, "NumObservationsByOriginType default"
Check s.NumObservationsByOriginType(1) = 2, "NumObservationsByOriginType(1)"
s.StatValueSeries(2019) = 8.25
Check s.Statistic(2019) = 8.25, "StatValueSeries default index"
Check s.NumStatistics = 1, "NumStatistics default"

total = 0
For Each o In s
    total = total + o.Value
Next
Check total = 10.5, "For Each over observations: " & total

n = 0
For Each t In m
    n = n + t.NumObservations
Next
Check n = 4, "For Each over series: " & n

n = 0
For Each t In s.Statistics
    Check t.Type = 2019, "statistic type"
    Check t.Value = 8.25, "statistic value"
    n = n + 1
Next
Check n = 1, "For Each over statistics"

' The error report.
On Error Resume Next
n = m.Value(0, 3)
Check Err.Number = &H80044005, "Err.Number " & Hex(Err.Number)
Check Err.Source = "MatrixX.MatrixX.1", "Err.Source " & Err.Source
Check InStr(Err.Description, "Quendar generated the following error:" & vbLf & "Error: 3006" & vbLf & _
      "Error Desc: Out of bounds" & vbLf & "File: ActiveX\QDInterface\MatrixX" & vbLf & "Line: ") = 1, _
      "Err.Description " & Err.Description
Err.Clear
s.Value(-1) = 2
Check Err.Number = &H80044005, "negative index"
Check InStr(Err.Description, "Error: 3000" & vbLf) > 0, "code 3000"
Check Err.Source = "SeriesX.SeriesX.1", "series source " & Err.Source
Err.Clear
Set o = s.Observation(3)
Check InStr(Err.Description, "Error: 1011" & vbLf) > 0, "code 1011"
Err.Clear
Set x = CreateObject("SeriesXEx1.SeriesXEx1.1")
x.GenerateRandomTriangular
Check Err.Number = &H80044005, "unbound extension " & Hex(Err.Number)
Check InStr(Err.Description, "Error: 3128" & vbLf) > 0, "code 3128"
Err.Clear
Set x = Nothing
On Error GoTo 0

Set o = CreateObject("ObservationX.ObservationX.1")
o.Statistic(29) = 1.25
Check o.StatValueObs(29) = 1.25, "ObservationX statistic"
Set t = CreateObject("StatisticX.StatisticX.1")
Check t.Type = -1, "StatisticX type"
Check t.Description = "No default description specified", "StatisticX description"
Set t = CreateObject("StatisticsX.StatisticsX.1")
n = 0
For Each o In t
    n = n + 1
Next
Check n = 0, "client-created StatisticsX is empty"
Dim cls
For Each cls In Array("SeriesX", "Quendar", "QuendarASP", "SeriesXEx1", "MatrixXEx1")
    Set t = CreateObject(cls & "." & cls & ".1")
    Check Not t Is Nothing, "create " & cls
Next

If failures = 0 Then WScript.Echo "ALL PASSED"
