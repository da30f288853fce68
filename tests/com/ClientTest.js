// A JScript client of QDInterface: creation by ProgID, defaults,
// enumeration through Enumerator and the error object.
var failures = 0;
function check(condition, what) {
    if (!condition) {
        WScript.Echo("FAIL: " + what);
        failures++;
    }
}

var m = new ActiveXObject("MatrixX.MatrixX.1");
m.AddObservation(1, 10);
m.AddObservation(1, 20, "b");
m.AddObservation(1, 30, "c", 2);
check(m.NumSeries == 2, "NumSeries");
check(m.Value(1, 2) == 30, "Value");

var s = m.Series(1);
check(s.Observation(0).Origin == 1, "default origin");
check(s.Observation(2).Origin == 2, "origin");
var sum = 0;
for (var e = new Enumerator(s); !e.atEnd(); e.moveNext()) sum += e.item().Value;
check(sum == 60, "Enumerator over observations: " + sum);
var count = 0;
for (var e2 = new Enumerator(m); !e2.atEnd(); e2.moveNext()) count++;
check(count == 2, "Enumerator over series: " + count);

try {
    s.RemoveObservationAt(5);
    check(false, "no error raised");
} catch (err) {
    check((err.number >>> 0) == 0x80044005, "error number " + (err.number >>> 0).toString(16));
    check(err.description.indexOf("Error: 3006\n") > 0, "error description " + err.description);
    check(err.description.indexOf("File: INCLUDE\\Matrix/Series\n") > 0, "error file " + err.description);
}

if (failures == 0) WScript.Echo("ALL PASSED");
