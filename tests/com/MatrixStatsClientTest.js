// A JScript client of the queueing, seasonal-adjustment, event-index and
// decomposition members: late binding with defaults, results read back,
// and the errors seen by a script.
var failures = 0;
function check(condition, what) {
    if (!condition) {
        WScript.Echo("FAIL: " + what);
        failures++;
    }
}
function expectError(f, code, what) {
    try {
        f();
        check(false, what + ": no error raised");
    } catch (err) {
        check(err.description.indexOf("Error: " + code + "\n") > 0, what + ": " + err.description);
    }
}

// Erlang B: servers for 10 erlangs at 1% blocking.
var m = new ActiveXObject("MatrixX.MatrixX.1");
m.AddObservation(0, 10);
m.AddObservation(0, 100);
m.Series(0).DependenceType = 3;
m.CalculateErlangB(1, 0.01);
check(m.NumSeries == 2, "Erlang B appends a series: " + m.NumSeries);
check(m.Value(1, 0) == 18 && m.Value(1, 1) == 117, "Erlang B counts " + m.Value(1, 0) + ", " + m.Value(1, 1));
check(m.Series(1).DependenceType == 4, "result role");
expectError(function () { m.CalculateErlangB(1, NaN); }, 3047, "NaN blocking probability");
check(m.NumSeries == 2, "nothing appended on failure");

// X-11 with four years of a quarterly pattern; trend by exponential smoothing.
var x = new ActiveXObject("MatrixX.MatrixX.1");
var pattern = [0.8, 1.1, 1.3, 0.8];
for (var i = 0; i < 16; i++) x.AddObservation(0, (100 + 2 * i) * pattern[i % 4]);
x.Series(0).DependenceType = 10;
x.ForecastCensusX11(-2, -1, 4, 4, 2, 2.0, 0, 5);
check(x.Series(0).NumObservations == 20, "X-11 appends four forecasts");
check(x.ForecastMethodNumber == 19, "X-11 method " + x.ForecastMethodNumber);
check(Math.abs(x.Series(0).StatValueObs(2, 20) - 1.3) < 0.05, "third-quarter factor " + x.Series(0).StatValueObs(2, 20));
// The defaults (Holt trend, season 12) need three seasons of data.
expectError(function () { x.ForecastCensusX11(); }, 3084, "default season on 20 values");

// Event indexes need a forecast first.
var e = new ActiveXObject("MatrixX.MatrixX.1");
var data = [10, 12, 30, 11, 13, 33];
for (var k = 0; k < data.length; k++) {
    e.AddObservation(0, data[k]);
    e.AddObservation(1, k == 2 || k == 5 ? 1 : 0);
}
e.Series(1).DependenceType = 9;
e.Series(0).ForecastExponentialSmoothing(0, 0.5, 0);
e.EventIndexCreate();
check(e.Series(0).NumStatistics(4003) == 2, "two event indexes");
check(e.StatValueSeries(0, 4003, 1) > 1.5, "event lift " + e.StatValueSeries(0, 4003, 1));
e.AddObservation(1, -1);
expectError(function () { e.EventIndexCreate(); }, 3068, "negative event flag");

// Decomposition index of a series; an unknown type is refused.
var s = new ActiveXObject("SeriesX.SeriesX.1");
for (var j = 0; j < 24; j++) s.AddObservation(10 + (j % 4) * 2 + j * 0.1);
s.DecompositionIndexCreate(-2, -1, 4, 1);
check(s.NumStatistics(4004) == 4, "four factors");
expectError(function () { s.DecompositionIndexApply(-2, -1, 3); }, 3082, "decomposition type 3");
check(s.Value(0) == 10, "values untouched");

if (failures == 0) WScript.Echo("ALL PASSED");
