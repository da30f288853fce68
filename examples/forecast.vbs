' Example client of QDInterface: loads a monthly series from a CSV file
' (header line, then "period,value" lines) into a MatrixX, reads the data
' back through SeriesX and ObservationX, and forecasts it by exponential
' smoothing with a fitted alpha.
'
'   cscript //nologo forecast.vbs FILE.csv [PERIODS]
Option Explicit
' Runtime errors are checked explicitly (Must): some script hosts end a
' script on an error without saying why.
On Error Resume Next

Sub Must(what)
    If Err.Number <> 0 Then
        WScript.Echo "error while " & what & ": 0x" & Hex(Err.Number) & " (" & Err.Source & ")"
        WScript.Echo "  " & Replace(Err.Description, vbLf, vbLf & "  ")
        WScript.Quit 1
    End If
End Sub

Const QD_FORECAST = 29
Const QD_ALPHA = 2028
Const QD_LEVEL_FINAL_VALUE = 2032
Const QD_MEAN = 2019
Const QD_MEAN_ABSOLUTE_ERROR = 2011
Const QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR = 2012
Const QD_ROOT_MEAN_SQUARE_ERROR = 2023

Dim args : Set args = WScript.Arguments
If args.Count < 1 Then
    WScript.Echo "usage: cscript //nologo forecast.vbs FILE.csv [PERIODS]"
    WScript.Quit 2
End If
Dim periods : periods = 12
If args.Count > 1 Then periods = CLng(args(1))

' Read the file.
Dim fso, stream, line, fields, n
Set fso = CreateObject("Scripting.FileSystemObject")
Set stream = fso.OpenTextFile(args(0), 1)
Must "opening " & args(0)
Dim matrix : Set matrix = CreateObject("MatrixX.MatrixX.1")
Must "creating MatrixX"
matrix.Description = fso.GetBaseName(args(0))
stream.ReadLine ' the header line
n = 0
Do While Not stream.AtEndOfStream
    line = Trim(stream.ReadLine)
    If Len(line) > 0 Then
        fields = Split(line, ",")
        ' Values are written with a decimal point whatever the locale.
        matrix.AddObservation 0, CDbl(Replace(fields(1), ".", Mid(CStr(1.5), 2, 1))), fields(0)
        Must "adding observation " & n
        n = n + 1
    End If
Loop
stream.Close

Dim series : Set series = matrix.Series(0)
series.Description = matrix.Description
Must "reading the series"
WScript.Echo "Series """ & series.Description & """: " & series.NumObservations & " observations, " & _
    series.Observation(0).Description & " to " & series.Observation(n - 1).Description
WScript.Echo "First values: " & matrix.Value(0, 0) & ", " & matrix.Value(0, 1) & ", " & matrix.Value(0, 2)
WScript.Echo "Last value:   " & matrix.Value(0, n - 1)
Must "reading values"

' Exponential smoothing with a fitted alpha (the defaults of the method:
' from the first observation, alpha to be computed).
series.ForecastExponentialSmoothing 0, -3.0, periods
If Err.Number = &H80004001 Then
    WScript.Echo "Exponential smoothing is not available in this build yet:"
    WScript.Echo "  " & Replace(Err.Description, vbLf, vbLf & "  ")
    WScript.Quit 0
End If
Must "forecasting"

WScript.Echo "Exponential smoothing, fitted alpha = " & FormatNumber(series.Statistic(QD_ALPHA), 4) & _
    ", final level = " & FormatNumber(series.Statistic(QD_LEVEL_FINAL_VALUE), 3)

series.CalculateMeanAbsoluteError n - 1, n
series.CalculateMeanAbsolutePercentageError n - 1, n
series.CalculateRootMeanSquareError n - 1, n
Must "computing the error statistics"
WScript.Echo "Fit over the data: MAE = " & FormatNumber(series.Statistic(QD_MEAN_ABSOLUTE_ERROR), 3) & _
    ", MAPE = " & FormatNumber(series.Statistic(QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR), 4) & _
    ", RMSE = " & FormatNumber(series.Statistic(QD_ROOT_MEAN_SQUARE_ERROR), 3)

Dim i, o
WScript.Echo "Forecasts:"
For i = n To series.NumObservations - 1
    Set o = series.Observation(i)
    WScript.Echo "  period +" & (i - n + 1) & " (" & o.Description & "): " & FormatNumber(o.Statistic(QD_FORECAST), 3)
Next
Must "reading the forecasts"
