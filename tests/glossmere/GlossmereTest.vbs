' A VBScript client of Glossmere: creation by both ProgIDs, texts with
' quotes, separators and trailing blanks, failures, and the locale members.
Option Explicit
On Error Resume Next
Dim failures : failures = 0

Sub Check(condition, what)
    If Err.Number <> 0 Then
        WScript.Echo "FAIL: " & what & ": error 0x" & Hex(Err.Number) & " " & Err.Description
        failures = failures + 1
        Err.Clear
    ElseIf Not condition Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim w, w1, u
Set w = CreateObject("Glossmere.WizardLocale")
Check IsObject(w), "CreateObject Glossmere.WizardLocale"
Set w1 = CreateObject("Glossmere.WizardLocale.1")
Check IsObject(w1), "CreateObject Glossmere.WizardLocale.1"

Check w.GetLocalizedString(1000, 1) = "Cancel", "1"
Check w.GetLocalizedString(1000, 29) = "Next >>", "29"
Check w.GetLocalizedString(1000, 740) = ") for future use.", "740"
Check w.GetLocalizedString(1000, 770) = "Adjusting data series ", "770"
Check w.GetLocalizedString(1000, 779) = "Quendar Files (*.qd),*.qd,Text Files (*.txt),*.txt,All Files (*.*),*.*", "779"
Check w.GetLocalizedString(1000, 785) = "Quendar Files (*.qd)|*.qd|Text Files (*.txt)|*.txt|All Files (*.*)|*.*", "785"
Check w.GetLocalizedString(4000, 3) = Chr(241) & "_OK", "pseudo 3"
Check w.GetLocalizedString(4000, 562) = Chr(241) & "_Statistics", "pseudo 562"
Check w.GetLocalizedString(1000, 562) = "Group By", "562"
Check Len(w.GetLocalizedString(1000, 1424)) = 270, "longest text"
Check w.GetLocalizedString(1000, 1499) = "Localized string error!!!!!", "1499"
Check w.GetLocalizedString(30000, 3000) = "Localized string error!!!!!", "overflow"
Check w1.GetLocalizedString(1000, 1261) = "Regression failed.", "1261"

Set u = CreateObject("Glossmere.WizardLocaleUtil.1")
Check u.GetLCID() = 1033, "GetLCID"
Check u.LocaleInfo() = "English", "LocaleInfo default"
Check u.LocaleInfo(15) = ",", "LocaleInfo(15)"
Check u.NativeLanguage = "English", "NativeLanguage"
Check u.NativeCountryName = "United States", "NativeCountryName"
Check u.LongDateFormat = "dddd, MMMM d, yyyy", "LongDateFormat"
Check u.DateFormatOrder = "MDY", "DateFormatOrder"

If failures = 0 Then WScript.Echo "ALL PASSED"
