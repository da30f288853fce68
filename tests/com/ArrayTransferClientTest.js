// A JScript client of the array transfer: arrays made by the scripting
// runtime (Variant cells), texts above the ASCII range, and the codes of
// refused arguments.
var failures = 0;
function check(condition, what) {
    if (!condition) {
        WScript.Echo("FAIL: " + what);
        failures++;
    }
}
function codeOf(e) {
    var m = /Error: (\d+)/.exec(e.description);
    return m ? parseInt(m[1], 10) : -1;
}
function arrayOf(items) {
    var d = new ActiveXObject("Scripting.Dictionary");
    for (var i = 0; i < items.length; i++) d.Add(i, items[i]);
    return d.Items();
}

var s = new ActiveXObject("SeriesX.SeriesX.1");
var ex = s.Extension1;
var accented = String.fromCharCode(0xe9, 0x80, 0x9f, 0xff);
ex.AddObservationByArray(arrayOf([1, 2.5, 4]), arrayOf(["x", accented, "z"]), 1);
check(s.NumObservations == 3, "three appended");
check(s.Value(1) == 2.5, "value");
check(s.Observation(1).Description == accented, "8-bit text comes back unchanged");

// A text without an 8-bit form, in the last cell: nothing appended.
try {
    ex.AddObservationByArray(arrayOf([1, 2]), arrayOf(["ok", String.fromCharCode(0x20ac)]), 1);
    check(false, "text above 0xFF accepted");
} catch (e) {
    check(codeOf(e) == 1, "code 1, got " + e.description);
}
check(s.NumObservations == 3, "nothing appended after a bad text");

// A script array is not a SAFEARRAY: the family's code.
try {
    ex.AddObservationByArray([1, 2]);
    check(false, "script array accepted");
} catch (e) {
    check(codeOf(e) == 3109, "code 3109, got " + e.description);
}

// Index values in; the unbound extension; the matrix-level index.
ex.AddIndexValuesByArray(arrayOf([0.9, 1.1]));
check(s.StatValueSeries(4015, 1) == 1.1, "index stored");
var alone = new ActiveXObject("SeriesXEx1.SeriesXEx1.1");
try {
    alone.CalculateFourier();
    check(false, "unbound computed");
} catch (e) {
    check(codeOf(e) == 3128, "code 3128, got " + e.description);
}
var m = new ActiveXObject("MatrixX.MatrixX.1");
m.AddObservation(0, 1);
m.AddObservation(1, 2);
var mex = m.Extension1;
try {
    mex.InputObsStatByArray(-2, -1, 29, new ActiveXObject("Scripting.Dictionary").Items());
    check(false, "wrong shape accepted");
} catch (e) {
    check(codeOf(e) == 3112, "code 3112, got " + e.description);
}
if (failures == 0) WScript.Echo("ALL PASSED");
