' A VBScript client of the array transfer: script arrays (Variant cells)
' in, variables never assigned receiving new arrays, the extension kept
' after its SeriesX is released, and the error codes of bad arrays.
Option Explicit
Dim failures : failures = 0

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Function CodeOf(description)
    Dim at : at = InStr(description, "Error: ")
    CodeOf = -1
    If at > 0 Then CodeOf = CLng(Mid(description, at + 7, InStr(at, description, vbLf) - at - 7))
End Function

Dim s, ex, out, texts, m, mex, grid, idx
Set s = CreateObject("SeriesX.SeriesX.1")
Set ex = s.Extension1
ex.AddObservationByArray Array(1.5, 2, 3.25, 4), Array("a", "b", Empty, Null), 2
Check s.NumObservations = 4, "four appended"
Check s.Observation(1).Description = "b", "description cell"
Check s.Observation(2).Description = "", "Empty cell is an empty text"
Check s.Observation(0).Origin = 2, "scalar origin type"

ex.GetObservationValuesToArray -2, -1, -1, out
Check IsArray(out), "new array"
Check UBound(out) = 3, "zero-based of four"
Check out(2) = 3.25, "value cell"
' The same variable, already the right size: filled in place.
s.Value(2) = 9
ex.GetObservationValuesToArray -2, -1, -1, out
Check out(2) = 9, "filled again"

ex.GetObservationDescriptionsToArray -2, -1, texts
Check texts(0) = "a" And texts(3) = "", "descriptions out"

' Bad cells change nothing.
On Error Resume Next
ex.AddObservationByArray Array(1, "x")
Check CodeOf(Err.Description) = 3109, "string cell refused: " & Err.Description
Err.Clear
ex.AddObservationByArray Array(1, 2), Array("a", "b", "c")
Check CodeOf(Err.Description) = 3110, "size mismatch refused"
Err.Clear
On Error GoTo 0
Check s.NumObservations = 4, "nothing appended"

' The extension outlives its SeriesX.
Set s = Nothing
ex.ForecastAverage -2, -1, 1
' Five observations now: the four-element array no longer fits (3112);
' an emptied variable receives a new one.
On Error Resume Next
ex.GetObservationValuesToArray -2, -1, -1, out
Check CodeOf(Err.Description) = 3112, "allocated array of another size refused"
Err.Clear
On Error GoTo 0
out = Empty
ex.GetObservationValuesToArray -2, -1, -1, out
Check UBound(out) = 4, "forecast appended"

' Matrix level: two dimensions, series first.
Set m = CreateObject("MatrixX.MatrixX.1")
Set mex = m.Extension1
Dim values(2, 3), k, j
For k = 0 To 2
    For j = 0 To 3
        values(k, j) = 10 * k + j
    Next
Next
mex.AddObservationByArray 0, values
Check m.NumSeries = 3, "three series"
Check m.Value(2, 1) = 21, "element (2, 1)"
mex.GetObservationValuesToArray -2, -1, -1, grid
Check grid(1, 3) = 13, "grid (1, 3)"
mex.AddIndexValuesByArray Array(0.5, 1.5)
mex.GetIndexValuesToArray idx
Check idx(2, 1) = 1.5, "index out"

If failures = 0 Then WScript.Echo "ALL PASSED"
