' A VBScript client of the Box-Jenkins members of SeriesX and MatrixX:
' loads the airline passengers file named on the command line, forecasts
' 1961 with a seasonal (0,1,1)(0,1,1)12 model on the logarithms and reads
' the forecasts, the coefficients and the t-test back. Reference values:
' tests/SeriesCompute/make_boxjenkins_reference.py.
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
Function Near(a, b, tolerance)
    Near = Abs(a - b) <= tolerance
End Function

Dim fso, file, line, fields, s, m, n, i
Set fso = CreateObject("Scripting.FileSystemObject")
Set file = fso.OpenTextFile(WScript.Arguments(0), 1)
Set s = CreateObject("SeriesX.SeriesX.1")
Set m = CreateObject("MatrixX.MatrixX.1")
NoError "creating the objects"
line = file.ReadLine ' header: month,passengers
Do While Not file.AtEndOfStream
    line = Replace(file.ReadLine, vbCr, "")
    If InStr(line, ",") > 0 Then
        fields = Split(line, ",")
        s.AddObservation CDbl(fields(1))
        m.AddObservation 0, CDbl(fields(1))
    End If
Loop
file.Close
NoError "loading"
Check s.NumObservations = 144, "144 months"

' Explicit orders, d = 1, D = 1, S = 12, ForceThrough 1, log transform.
s.ForecastBoxJenkins -2, -1, 12, -3, 0, 1, 1, 0, 1, 1, 12, 1, 3
NoError "ForecastBoxJenkins"
Check s.NumObservations = 156, "twelve forecast periods appended"
Check Near(s.StatValueObs(144, 29), 450.11920525326866, 1e-6), "January 1961: " & s.StatValueObs(144, 29)
Check Near(s.StatValueObs(145, 29), 425.6332838725949, 1e-6), "February 1961: " & s.StatValueObs(145, 29)
Check Near(s.StatValueObs(146, 29), 479.4183067475491, 1e-6), "March 1961: " & s.StatValueObs(146, 29)
Check s.Value(0) = 112, "supplied values unchanged"
Check s.ForecastMethodNumber = 18, "method recorded"
Check s.StatValueSeries(2034) = 0, "log transform recorded"
Check Near(s.StatValueSeries(4006, 0), 0.376941011331424, 1e-7), "theta: " & s.StatValueSeries(4006, 0)

s.CalculateTtest 18, 4006
NoError "CalculateTtest"
Check Near(s.StatValueSeries(4012, 0), 3.9772554362859136, 1e-5), "t of theta: " & s.StatValueSeries(4012, 0)
s.CalculateTtest
NoError "CalculateTtest with its defaults (the AR group: none)"
s.CalculateLjungBox -2, -1, 12
NoError "CalculateLjungBox"
Check s.StatValueSeries(2054) > 0, "Ljung-Box Q stored"
s.CalculateAIC
NoError "CalculateAIC with its defaults"
s.CalculateBIC
NoError "CalculateBIC with its defaults"
' Two parameters (q and Q) over all 156 periods: BIC - AIC = 2 ln 156 - 4.
Check Near(s.StatValueSeries(2056) - s.StatValueSeries(2055), 2 * Log(156) - 4, 1e-9), "BIC - AIC: " & (s.StatValueSeries(2056) - s.StatValueSeries(2055))

' A seasonal order with S = 0 is refused with a script error.
s.ForecastBoxJenkins -2, -1, 1, -3, -3, -3, -3, 1, -3, -3, 0
If Err.Number = 0 Then
    Fail "S = 0 with P = 1 accepted"
Else
    Dim description : description = Err.Description
    Err.Clear
    Check InStr(description, "Seasonal parameters must be zeros because S is zero") > 0, "3027 text: " & description
End If

' The matrix: ForceThrough defaults to 1, the rest as above.
m.ForecastBoxJenkins -2, -1, 12, -3, 0, 1, 1, 0, 1, 1, 12, , 3
NoError "MatrixX.ForecastBoxJenkins"
Check Near(m.StatValueObs(0, 144, 29), 450.11920525326866, 1e-6), "matrix January 1961: " & m.StatValueObs(0, 144, 29)
m.CalculateSumSquaredRegression
NoError "MatrixX.CalculateSumSquaredRegression"
Check m.StatValueSeries(0, 2025, 0) > 0, "sum of squared regression stored"

If failures = 0 Then
    WScript.Echo "ALL PASSED"
Else
    WScript.Echo failures & " FAILED"
End If
