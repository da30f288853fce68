' Example client of Glossmere: looks a wizard text up by its number in the
' English and the pseudo-localized language sets, and shows the user's
' number and date settings.
'
'   cscript //nologo wizard-strings.vbs [NUMBER]
Option Explicit
' Runtime errors are checked explicitly (Must): some script hosts end a
' script on an error without saying why.
On Error Resume Next

Sub Must(what)
    If Err.Number <> 0 Then
        WScript.Echo "error while " & what & ": 0x" & Hex(Err.Number) & " (" & Err.Source & ")"
        WScript.Echo "  " & Err.Description
        WScript.Quit 1
    End If
End Sub

Const ENGLISH = 1000
Const PSEUDO = 4000

Dim number : number = 742
If WScript.Arguments.Count > 0 Then number = CInt(WScript.Arguments(0))
Must "reading the text number"

Dim strings, util
Set strings = CreateObject("Glossmere.WizardLocale.1")
Must "creating Glossmere.WizardLocale.1"
Set util = CreateObject("Glossmere.WizardLocaleUtil.1")
Must "creating Glossmere.WizardLocaleUtil.1"

WScript.Echo "English     " & number & ": " & strings.GetLocalizedString(ENGLISH, number)
Must "looking up an English text"
WScript.Echo "Pseudo      " & number & ": " & strings.GetLocalizedString(PSEUDO, number)
Must "looking up a pseudo-localized text"
WScript.Echo "Language:   " & util.Language & " (" & util.GetLCID() & ")"
WScript.Echo "Numbers:    decimal '" & util.sDecimal & "', thousands '" & util.Thousands & "'"
WScript.Echo "Dates:      " & util.ShortDateFormat & ", " & util.LongDateFormat
WScript.Echo "Date order:  " & util.DateFormatOrder
Must "reading the locale settings"
