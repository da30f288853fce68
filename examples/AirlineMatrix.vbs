' Example client of QDInterface: builds a matrix with one series per year
' from the monthly airline passenger totals, reads the values back, stores
' each year's mean among the series' results and prints the results.
'
'   cscript //nologo AirlineMatrix.vbs [path of airline-passengers.csv]
Option Explicit

Dim fso, path, file, line, fields, year, firstYear, m, s, i, total, t
Set fso = CreateObject("Scripting.FileSystemObject")
If WScript.Arguments.Count > 0 Then
    path = WScript.Arguments(0)
Else
    path = fso.BuildPath(fso.GetParentFolderName(WScript.ScriptFullName), _
                         "data\airline-passengers.csv")
End If

Set m = CreateObject("MatrixX.MatrixX.1")
m.Description = "International airline passengers (thousands)"
Set file = fso.OpenTextFile(path, 1)
line = file.ReadLine ' header: month,passengers
firstYear = 0
Do While Not file.AtEndOfStream
    line = Trim(file.ReadLine)
    If Len(line) > 0 Then
        fields = Split(line, ",")
        year = CLng(Left(fields(0), 4))
        If firstYear = 0 Then firstYear = year
        ' One series per year; the month is the observation's description.
        m.AddObservation year - firstYear, CDbl(fields(1)), fields(0)
    End If
Loop
file.Close

WScript.Echo m.Description & ": " & m.NumSeries & " series"
For Each s In m
    total = 0
    For i = 0 To s.NumObservations - 1
        total = total + s.Value(i)
    Next
    s.StatValueSeries(2019) = total / s.NumObservations
Next

For i = 0 To m.NumSeries - 1
    Set s = m.Series(i)
    line = CStr(firstYear + i) & ": first " & s.Value(0) & " (" & s.Observation(0).Description & ")" & _
           ", last " & s.Value(s.NumObservations - 1)
    For Each t In s.Statistics
        line = line & ", stored result " & t.Type & " = " & FormatNumber(t.Value, 2, -1, 0, 0)
    Next
    WScript.Echo line
Next
