// A JScript client of Glossmere: texts of both language sets (characters
// above 0xFF included), the cache across bases, failures, and the locale
// members with the default argument of LocaleInfo.
var failures = 0;
function check(condition, what) {
    if (!condition) {
        WScript.Echo("FAIL: " + what);
        failures++;
    }
}

var w = new ActiveXObject("Glossmere.WizardLocale");
check(w.GetLocalizedString(4000, 3) == "\u00f1_OK", "pseudo OK first");
check(w.GetLocalizedString(1000, 3) == "OK", "English OK after the pseudo set");
check(w.GetLocalizedString(1000, 742) == "Not Enough Data to Analysis", "742");
check(w.GetLocalizedString(4000, 1203) == "\u00f1_IDS_HCL_ITM466", "kept pseudo row 1203");
check(w.GetLocalizedString(1000, 755) == "TRAN - ", "trailing blank kept");
check(w.GetLocalizedString(1000, 1424).length == 270, "longest text");
check(w.GetLocalizedString(4000, 1424).length == 272, "longest pseudo text");
check(w.GetLocalizedString(1000, 0) == "", "number 0");
check(w.GetLocalizedString(1000, 1499) == "Localized string error!!!!!", "no text 2499");
check(w.GetLocalizedString(30000, 3000) == "Localized string error!!!!!", "overflow");
check(w.GetLocalizedString(1000, -1) == "Localized string error!!!!!", "negative number");
check(w.GetLocalizedString(1000, 5) == "Print", "working after failures");

// The versioned ProgID works too.
var w1 = new ActiveXObject("Glossmere.WizardLocale.1");
check(w1.GetLocalizedString(4000, 800) == "\u00f1_Bass Model", "versioned ProgID");

var u = new ActiveXObject("Glossmere.WizardLocaleUtil");
check(u.GetLCID() == 1033, "GetLCID " + u.GetLCID());
check(u.LocaleInfo() == "English", "LocaleInfo default " + u.LocaleInfo());
check(u.LocaleInfo(14) == ".", "LocaleInfo(14)");
check(u.LocaleInfo(9999) == "", "unknown LocaleInfo");
check(u.Language == "English (United States)", "Language " + u.Language);
check(u.Thousands == ",", "Thousands");
check(u.sDecimal == ".", "sDecimal");
check(u.DateFormatOrder == "MDY", "DateFormatOrder");
check(u.LongDateFormatOrder == "MDY", "LongDateFormatOrder");
check(u.ShortDateFormat == "M/d/yyyy", "ShortDateFormat " + u.ShortDateFormat);
check(u.CountryName == "United States", "CountryName");

if (failures == 0) WScript.Echo("ALL PASSED");
