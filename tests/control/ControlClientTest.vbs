' The control and the server-page class from a script, late bound: the
' members of the control, its Matrix held after the control is gone, and
' the server page's properties failing instead of answering nothing.
Option Explicit

Dim failures : failures = 0

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Function CodeOf(description)
    Dim at : at = InStr(description, vbLf & "Error: ")
    CodeOf = -1
    If at > 0 Then CodeOf = CLng(Split(Mid(description, at + 8), vbLf)(0))
End Function

Dim Quendar1, m, s, v, p
Set Quendar1 = CreateObject("Quendar.Quendar.1")
Quendar1.AddObservation 0, 1.5, "first"
Quendar1.AddObservation 2, 7
Check Quendar1.Value(2, 0) = 7, "value read through the control"
Quendar1.Value(0, 0) = 2.5
Set m = Quendar1.Matrix
Check m.NumSeries = 3, "AddObservation grows the matrix"
Check m.Value(0, 0) = 2.5, "value written through the control, read through its matrix"
Check m Is Quendar1.Matrix, "one MatrixX for the control's life"
Quendar1.DetailLevel = 5
Check Quendar1.DetailLevel = 1, "DetailLevel stays 1"

On Error Resume Next
v = Quendar1.Value(3, 0)
Check CodeOf(Err.Description) = 3006, "series index at the count: 3006, got " & Err.Description
Err.Clear
Quendar1.AddObservation 2147483647, 1
Check CodeOf(Err.Description) = 3, "impossible growth: 3, got " & Err.Description
Err.Clear
Quendar1.AddObservation -1, 1
Check CodeOf(Err.Description) = 3000, "negative series: 3000, got " & Err.Description
Err.Clear
On Error GoTo 0
Check m.NumSeries = 3, "refused growth appends nothing"

' The script keeps the matrix; the control goes.
Set Quendar1 = Nothing
m.AddObservation 1, 4
Check m.Value(1, 0) = 4, "the matrix works after its control is gone"
Set s = m.Series(0)
Check s.NumObservations = 1, "a series of it too"
Check s.Observation(0).Description = "first", "with its description"
Set s = Nothing
Set m = Nothing

Set p = CreateObject("QuendarASP.QuendarASP.1")
p.OnEndPage
On Error Resume Next
v = p.Session
Check Err.Number <> 0, "reading Session fails"
Err.Clear
v = p.Response
Check Err.Number <> 0, "reading Response fails"
Err.Clear
p.Session = 1
Check Err.Number = 0, "writing Session does nothing"
Err.Clear
p.OnStartPage Nothing
Check Err.Number <> 0, "a page without a context fails"
Err.Clear
On Error GoTo 0
Set p = Nothing

If failures = 0 Then WScript.Echo "ALL PASSED"
