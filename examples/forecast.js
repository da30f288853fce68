// Example client of QDInterface: forecasts a series from a CSV file (a
// header line, then "label,value" lines) through the automation objects.
//
//   cscript //nologo forecast.js FILE.csv [PERIODS] [SEASON]
//
// 1. The automatic method selection with its defaults: the method chosen,
//    its fitted parameters, its fit over the data and PERIODS forecasts
//    (12 by default) with their 95% confidence intervals.
// 2. A hold-out check: the last season is held back and forecast by the
//    selection (with its defaults, and with the settings recommended for
//    seasonal data: the season length given, the hold-out and the error
//    measure computed), by Holt-Winters, by the Box-Jenkins airline model
//    and by simple exponential smoothing; each method's error on the
//    held-back values.
//
// SEASON is the number of periods per year; by default it follows from the
// labels (12 for "1949-01", 4 for "1949-Q1", 1 for "1949"), else from the
// season length the selection finds.

var QD_CONFIDENCE_INTERVAL = 23;
var QD_FORECAST = 29;
var QD_MEAN_ABSOLUTE_ERROR = 2011;
var QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR = 2012;
var QD_ROOT_MEAN_SQUARE_ERROR = 2023;
var QD_R_SQUARE = 2057;
var QD_SELVANE_METHOD_RANK = 4011;
var QD_COMPUTE = -3;
var QD_NON_SEASONAL = -2;
// The results that the fit summary prints itself.
var PRINTED_ELSEWHERE = {2011: 1, 2012: 1, 2023: 1, 2057: 1, 4011: 1};

function echo(text) { WScript.Echo(text); }

var METHOD_NAMES = {5: "exponential smoothing", 9: "Holt", 14: "Holt-Winters", 18: "Box-Jenkins",
                    24: "Croston", 28: "new-product curve", 30: "average"};
function methodName(code) { return METHOD_NAMES[code] || "method " + code; }

function fail(what, err) {
    echo("error while " + what + ": 0x" + (err.number >>> 0).toString(16));
    echo("  " + String(err.description).replace(/\n/g, "\n  "));
    WScript.Quit(1);
}

function pad(text, width) {
    text = String(text);
    while (text.length < width) text = " " + text;
    return text;
}

function padRight(text, width) {
    text = String(text);
    while (text.length < width) text += " ";
    return text;
}

function fixed(x, digits) {
    return isFinite(x) ? x.toFixed(digits) : String(x);
}

// ---- the data ----------------------------------------------------------

var args = WScript.Arguments;
if (args.length < 1) {
    echo("usage: cscript //nologo forecast.js FILE.csv [PERIODS] [SEASON]");
    WScript.Quit(2);
}
var periods = args.length > 1 ? parseInt(args(1), 10) : 12;
var fso = new ActiveXObject("Scripting.FileSystemObject");
var labels = [], values = [], name = fso.GetBaseName(args(0));
try {
    var stream = fso.OpenTextFile(args(0), 1);
    stream.ReadLine();  // the header line
    while (!stream.AtEndOfStream) {
        var line = stream.ReadLine().replace(/^\s+|\s+$/g, "");
        if (line.length == 0) continue;
        var fields = line.split(",");
        labels.push(fields[0]);
        values.push(parseFloat(fields[1]));
    }
    stream.Close();
} catch (err) {
    fail("reading " + args(0), err);
}
var n = values.length;

// Labels of the periods after the data: the calendar continued where the
// labels are months ("1960-12"), quarters ("1960-Q4") or numbers (years
// such as "1960", or period numbers), else "+k".
function labelAfter(k) {
    var last = labels[n - 1], m;
    if ((m = /^(\d{4})-(\d{1,2})$/.exec(last)) != null) {
        var month = parseInt(m[1], 10) * 12 + parseInt(m[2], 10) - 1 + k;
        var mm = month % 12 + 1;
        return Math.floor(month / 12) + "-" + (mm < 10 ? "0" : "") + mm;
    }
    if ((m = /^(\d{4})-Q([1-4])$/.exec(last)) != null) {
        var quarter = parseInt(m[1], 10) * 4 + parseInt(m[2], 10) - 1 + k;
        return Math.floor(quarter / 4) + "-Q" + (quarter % 4 + 1);
    }
    if (/^\d+$/.test(last)) return String(parseInt(last, 10) + k);
    return "+" + k;
}

function seasonFromLabels() {
    if (/^\d{4}-\d{1,2}$/.test(labels[0])) return 12;
    if (/^\d{4}-Q[1-4]$/.test(labels[0])) return 4;
    if (/^\d{4}$/.test(labels[0])) return 1;
    return 0;
}

// A fresh series holding the first `count` values, in a matrix of its own.
function loadSeries(count) {
    var matrix = new ActiveXObject("MatrixX.MatrixX.1");
    for (var i = 0; i < count; i++) matrix.AddObservation(0, values[i], labels[i]);
    var series = matrix.Series(0);
    series.Description = name;
    return series;
}

// ---- 1. the automatic selection with its defaults ----------------------

var series;
try {
    series = loadSeries(n);
} catch (err) {
    fail("loading the series", err);
}
echo("Series \"" + name + "\": " + n + " observations, " + labels[0] + " to " + labels[n - 1]);

try {
    series.Selvane(0, periods);
} catch (err) {
    fail("running the automatic selection", err);
}
var season = args.length > 2 ? parseInt(args(2), 10) : seasonFromLabels();
if (season <= 0) season = Math.max(series.SeasonalLength, 1);

echo("");
echo("Automatic method selection, defaults (Selvane 0, " + periods + "):");
var chosen = series.ForecastMethodNumber;
var chosenText = series.ForecastMethodDescription + " (method " + chosen + ")";
if (chosen == 14)
    chosenText += ", season length " + series.SeasonalLength + ", " +
        (series.DecompositionType == 1 ? "additive" : "multiplicative");
echo("  chosen: " + chosenText);
var ranking = [];
for (var r = 0; r < series.NumStatistics(QD_SELVANE_METHOD_RANK); r++)
    ranking.push(methodName(series.StatValueSeries(QD_SELVANE_METHOD_RANK, r)));
echo("  candidates ranked by their sum of squared errors: " + ranking.join(", "));
// The stored results, one line per quantity (the values of a multi-valued
// one, such as the seasonal indexes, on the same line).
var lastType = null, line = "";
for (var e = new Enumerator(series.Statistics); !e.atEnd(); e.moveNext()) {
    var stat = e.item();
    if (PRINTED_ELSEWHERE[stat.Type]) continue;
    if (stat.Type === lastType) {
        line += " " + fixed(stat.Value, 4);
        continue;
    }
    if (line.length > 0) echo(line);
    line = "  " + stat.Description.replace(/\.$/, "") + ": " + fixed(stat.Value, 4);
    lastType = stat.Type;
}
if (line.length > 0) echo(line);

try {
    series.CalculateMeanAbsoluteError(n - 1, n);
    series.CalculateMeanAbsolutePercentageError(n - 1, n);
    series.CalculateRootMeanSquareError(n - 1, n);
    series.CalculateRSquare(n - 1, n);
    series.CalculateConfidenceInterval(n - 1, n, 0.95);
} catch (err) {
    fail("computing the fit statistics", err);
}
echo("  fit over the data: MAE " + fixed(series.Statistic(QD_MEAN_ABSOLUTE_ERROR), 3) +
     ", MAPE " + fixed(100 * series.Statistic(QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR), 2) + "%" +
     ", RMSE " + fixed(series.Statistic(QD_ROOT_MEAN_SQUARE_ERROR), 3) +
     ", R-squared " + fixed(series.Statistic(QD_R_SQUARE), 4));
echo("  forecasts with 95% confidence intervals:");
for (var i = n; i < series.NumObservations; i++) {
    var o = series.Observation(i);
    var f = o.Statistic(QD_FORECAST), w = o.Statistic(QD_CONFIDENCE_INTERVAL);
    echo("    " + padRight(labelAfter(i - n + 1), 8) + pad(fixed(f, 1), 9) +
         "   [" + pad(fixed(f - w, 1), 7) + ", " + pad(fixed(f + w, 1), 7) + "]");
}

// ---- 2. the hold-out check ---------------------------------------------

// The last season (at least 4 periods) is held back.
var held = Math.max(season, 4);
if (n - held < 8) {
    echo("");
    echo("Too few observations for a hold-out check.");
    WScript.Quit(0);
}
var base = n - held;
var seasonal = season > 1;
var methods = [
    {name: "selection, defaults",
     run: function (s) { s.Selvane(0, held); }},
    {name: "selection, season " + season + ", hold-out and error computed",
     run: function (s) { s.Selvane(0, held, QD_COMPUTE, seasonal ? season : QD_NON_SEASONAL, 1, QD_COMPUTE); }},
    {name: "Holt-Winters, multiplicative",
     run: function (s) { s.ForecastHoltWinters(0, season, held); }, needsSeason: true},
    {name: "Box-Jenkins (0,1,1)(0,1,1)" + season + ", log",
     run: function (s) { s.ForecastBoxJenkins(-2, -1, held, QD_COMPUTE, 0, 1, 1, 0, 1, 1, season, 1, 3); },
     needsSeason: true},
    {name: "simple exponential smoothing",
     run: function (s) { s.ForecastExponentialSmoothing(0, QD_COMPUTE, held); }}
];

echo("");
echo("Hold-out check: " + labels[base] + " to " + labels[n - 1] + " (" + held +
     " periods) held back, forecast from the " + base + " observations before them.");
var table = [];
for (var k = 0; k < methods.length; k++) {
    var method = methods[k];
    if (method.needsSeason && !seasonal) continue;
    var s = loadSeries(base);
    try {
        method.run(s);
    } catch (err) {
        fail(method.name, err);
    }
    var forecasts = [], smape = 0, mape = 0;
    for (var j = 0; j < held; j++) {
        var x = values[base + j], fj = s.Value(base + j);
        forecasts.push(fj);
        smape += 200 * Math.abs(x - fj) / (x + fj);
        mape += 100 * Math.abs(x - fj) / Math.abs(x);
    }
    var note = method.name.indexOf("selection") == 0 ? " (chose " + s.ForecastMethodDescription + ")" : "";
    table.push({name: method.name + note, forecasts: forecasts, smape: smape / held, mape: mape / held});
}

var width = 0;
for (var w = 0; w < table.length; w++) width = Math.max(width, table[w].name.length);
echo("");
echo("  " + padRight("method", width) + "    sMAPE    MAPE");
for (var t = 0; t < table.length; t++)
    echo("  " + padRight(table[t].name, width) + pad(fixed(table[t].smape, 2), 9) + pad(fixed(table[t].mape, 2), 8));

echo("");
var header = "  " + padRight("period", 8) + pad("actual", 8);
for (var c = 0; c < table.length; c++) header += pad("(" + (c + 1) + ")", 8);
echo(header);
for (var row = 0; row < held; row++) {
    var text = "  " + padRight(labels[base + row], 8) + pad(fixed(values[base + row], 1), 8);
    for (var col = 0; col < table.length; col++) text += pad(fixed(table[col].forecasts[row], 1), 8);
    echo(text);
}
echo("  (1) to (" + table.length + "): the methods in the order above. sMAPE = mean of " +
     "200 |x - f| / (x + f), MAPE = mean of 100 |x - f| / x, in percent.");
